# One whole submission with ten 1 MB photos against nuvo-sandbox, timed on the client's side.
if(TARGET nuvo-sandbox AND TARGET nuvo_gui_base)
  nuvo_add_bench(nuvo_submit_bench
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/SubmitBench.cpp
    LIBS nuvo_gui_base)
  target_include_directories(nuvo_submit_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(nuvo_submit_bench PRIVATE
    NUVO_SANDBOX_PATH="$<TARGET_FILE:nuvo-sandbox>")
  add_dependencies(nuvo_submit_bench nuvo-sandbox)
endif()
