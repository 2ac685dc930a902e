# SPDX-License-Identifier: MIT
# A Qt plugin that plays the user inside the real program, for the tests that run it as a process.
if(MORVANE_TESTS)
    add_library(morvane_testdriver MODULE ${CMAKE_CURRENT_LIST_DIR}/ProgramDriver.cpp)
    target_link_libraries(morvane_testdriver PRIVATE morvane_options Qt6::Gui Qt6::Widgets)
    # Found through QT_PLUGIN_PATH=<build>/helpers/plugins, as Qt looks for generic plugins in "generic".
    set_target_properties(morvane_testdriver PROPERTIES
        LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/helpers/plugins/generic)
    # The tests that need it reach the helpers through the stand-in game.
    add_dependencies(fake_ghostrecon morvane_testdriver)
endif()
