# Installs the build into a fresh prefix, checks that the desktop files land where a desktop looks
# for them, and runs the installed nuvo-cli, which must find the installed samples.
#   cmake -DBUILD_DIR=… -DWORK_DIR=… -P InstallTest.cmake
set(prefix ${WORK_DIR}/prefix)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR}/config)

execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${status}")
endif()

foreach(file bin/nuvo bin/nuvo-cli
             share/applications/jp.zabuto.Nuvo.desktop
             share/icons/hicolor/scalable/apps/nuvo.svg
             share/mime/packages/nuvo.xml
             share/nuvo/samples/0000/0000.htm
             share/nuvo/examples/example.nvd)
  if(NOT EXISTS ${prefix}/${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()

# A new listing of the template input is built from the installed sample 0; without it the
# program would say that the sample cannot be found.
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env XDG_CONFIG_HOME=${WORK_DIR}/config
          ${prefix}/bin/nuvo-cli new ${WORK_DIR}/new.nvd --input-type 0 --sample-id 0
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR NOT err STREQUAL "" OR NOT EXISTS ${WORK_DIR}/new.nvd)
  message(FATAL_ERROR "the installed nuvo-cli failed (${status}): ${out}${err}")
endif()
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env XDG_CONFIG_HOME=${WORK_DIR}/config
          ${prefix}/bin/nuvo-cli dump ${WORK_DIR}/new.nvd
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR NOT out MATCHES "\"inputType\":0")
  message(FATAL_ERROR "the installed nuvo-cli cannot read its own listing (${status}): ${out}${err}")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
