# The measurement log report and the report header dialog (window code).
if(TARGET o2ui)
    target_sources(o2ui PRIVATE
        ${CMAKE_CURRENT_LIST_DIR}/UQRKompForm.cpp ${CMAKE_CURRENT_LIST_DIR}/UQRKompForm.h
        ${CMAKE_CURRENT_LIST_DIR}/UProtokollKopf.cpp ${CMAKE_CURRENT_LIST_DIR}/UProtokollKopf.h
    )
endif()
