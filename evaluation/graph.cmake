# The graph window and its printout.
if(TARGET o2ui)
    target_sources(o2ui PRIVATE
        ${CMAKE_CURRENT_LIST_DIR}/UGraphik.cpp ${CMAKE_CURRENT_LIST_DIR}/UGraphik.h
        ${CMAKE_CURRENT_LIST_DIR}/UQRGraphForm.cpp ${CMAKE_CURRENT_LIST_DIR}/UQRGraphForm.h
    )
endif()
