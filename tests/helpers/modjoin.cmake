# SPDX-License-Identifier: MIT
# A program that dies in the middle of a join with a host's mods, for the journal's test.
if(MORVANE_TESTS)
    add_executable(modjoin_crash ${CMAKE_CURRENT_LIST_DIR}/ModJoinCrash.cpp)
    target_link_libraries(modjoin_crash PRIVATE morvane_core morvane_options)
    set_target_properties(modjoin_crash PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/helpers)
endif()
