# The controller setup, controller clock and readout-hour dialogs; their rules sit in the
# core so that they are tested without widgets.
target_sources(o2core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/SetupRules.cpp ${CMAKE_CURRENT_LIST_DIR}/SetupRules.h
)
if(TARGET o2ui)
    target_sources(o2ui PRIVATE
        ${CMAKE_CURRENT_LIST_DIR}/UO2MessSetup.cpp ${CMAKE_CURRENT_LIST_DIR}/UO2MessSetup.h
        ${CMAKE_CURRENT_LIST_DIR}/UAnlDatumSet.cpp ${CMAKE_CURRENT_LIST_DIR}/UAnlDatumSet.h
        ${CMAKE_CURRENT_LIST_DIR}/UZeitSelect.cpp ${CMAKE_CURRENT_LIST_DIR}/UZeitSelect.h
    )
endif()
