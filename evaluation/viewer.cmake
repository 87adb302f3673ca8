# The protocol viewer with its two printouts, and the hygienisation overview.

# The hygienisation computation: plain data, part of the core.
target_sources(o2core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/Hygiene.cpp ${CMAKE_CURRENT_LIST_DIR}/Hygiene.h
)

if(TARGET o2ui)
    target_sources(o2ui PRIVATE
        ${CMAKE_CURRENT_LIST_DIR}/UCSV_Lesen.cpp ${CMAKE_CURRENT_LIST_DIR}/UCSV_Lesen.h
        ${CMAKE_CURRENT_LIST_DIR}/UQRKompProtokoll.cpp ${CMAKE_CURRENT_LIST_DIR}/UQRKompProtokoll.h
    )
endif()
