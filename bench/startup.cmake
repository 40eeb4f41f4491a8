# The yardstick of bench/startup: a plain QtWebEngine window loading one page.
if(NUVO_BUILD_GUI)
  add_executable(nuvo_plain_preview ${CMAKE_CURRENT_LIST_DIR}/PlainPreview.cpp)
  target_link_libraries(nuvo_plain_preview PRIVATE nuvo_options Qt6::Widgets Qt6::WebEngineWidgets)
endif()
