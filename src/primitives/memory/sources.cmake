# The in-memory body of the controls, for the native tests.
add_library(varnel_controls STATIC
  ${CMAKE_CURRENT_LIST_DIR}/controls_memory.cpp)
target_link_libraries(varnel_controls PUBLIC varnel_primitives)

add_library(varnel_driver STATIC
  ${CMAKE_CURRENT_LIST_DIR}/driver_memory.cpp)
target_link_libraries(varnel_driver PUBLIC varnel_controls)
