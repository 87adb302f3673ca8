# The offline readout window (window code).
if(TARGET o2ui)
    target_sources(o2ui PRIVATE
        ${CMAKE_CURRENT_LIST_DIR}/UDatenLesen1.cpp ${CMAKE_CURRENT_LIST_DIR}/UDatenLesen1.h
    )
endif()
