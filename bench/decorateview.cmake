# Needs the shell: a keystroke is measured through the editor view.
if(TARGET nuvo_gui)
  add_executable(nuvo_decorate_view_bench ${CMAKE_CURRENT_LIST_DIR}/DecorateViewBench.cpp)
  target_link_libraries(nuvo_decorate_view_bench PRIVATE nuvo_gui nuvo_options benchmark::benchmark)
endif()
