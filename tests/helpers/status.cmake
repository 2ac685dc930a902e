# SPDX-License-Identifier: MIT
# Stand-ins for the status check: the query program and Ghost Recon hosts on UDP.
add_executable(fake_qstat ${CMAKE_CURRENT_LIST_DIR}/FakeQstat.cpp)
target_link_libraries(fake_qstat PRIVATE morvane_options)
set_target_properties(fake_qstat PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/helpers)

add_executable(fake_grhost ${CMAKE_CURRENT_LIST_DIR}/FakeGrHost.cpp)
target_link_libraries(fake_grhost PRIVATE morvane_options)
set_target_properties(fake_grhost PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/helpers)
