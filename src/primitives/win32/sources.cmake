# The Win32 body of the controls: the real common controls.
add_library(varnel_controls STATIC
  ${CMAKE_CURRENT_LIST_DIR}/bars_win32.cpp
  ${CMAKE_CURRENT_LIST_DIR}/body_win32.cpp
  ${CMAKE_CURRENT_LIST_DIR}/buttons_win32.cpp
  ${CMAKE_CURRENT_LIST_DIR}/controls_win32.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialogs_win32.cpp
  ${CMAKE_CURRENT_LIST_DIR}/edit_win32.cpp
  ${CMAKE_CURRENT_LIST_DIR}/list_win32.cpp
  ${CMAKE_CURRENT_LIST_DIR}/listbox_win32.cpp
  ${CMAKE_CURRENT_LIST_DIR}/shown_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tree_win32.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_win32.cpp)
target_link_libraries(varnel_controls PUBLIC varnel_primitives comctl32 comdlg32 gdi32 user32 shell32 uxtheme)

add_library(varnel_driver STATIC
  ${CMAKE_CURRENT_LIST_DIR}/driver_win32.cpp)
target_link_libraries(varnel_driver PUBLIC varnel_controls)
