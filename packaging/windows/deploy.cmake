# What the program needs beside it on Windows, where nothing else provides it:
# Qt's DLLs and the two plug-ins it loads (the platform and the native
# style), and mingw-w64's C++ run-time. CPack strips only what the project
# built, so stripped copies are made here and those are installed.
set(deploy_dir ${CMAKE_CURRENT_BINARY_DIR}/deploy)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
                OUTPUT_VARIABLE libstdcxx OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(runtime_dir ${libstdcxx} DIRECTORY)
find_file(winpthread libwinpthread-1.dll PATHS /usr/x86_64-w64-mingw32/lib NO_DEFAULT_PATH REQUIRED)

# folder in the installation, then the files that go there
set(deployed
    "." $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets>
        $<TARGET_FILE:Qt6::PrintSupport>
        ${runtime_dir}/libstdc++-6.dll ${runtime_dir}/libgcc_s_seh-1.dll ${winpthread}
    "platforms" $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin>
    "styles" $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin>)

set(folder .)
foreach(item IN LISTS deployed)
  if(item STREQUAL "." OR item STREQUAL "platforms" OR item STREQUAL "styles")
    set(folder ${item})
    continue()
  endif()
  # The name is known only when the generator expression is evaluated.
  string(MAKE_C_IDENTIFIER "${folder}/${item}" id)
  set(out ${deploy_dir}/${folder}/$<PATH:GET_FILENAME,${item}>)
  add_custom_command(OUTPUT ${deploy_dir}/${id}.stamp
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${deploy_dir}/${folder}
                     COMMAND ${CMAKE_STRIP} --strip-unneeded -o ${out} ${item}
                     COMMAND ${CMAKE_COMMAND} -E touch ${deploy_dir}/${id}.stamp
                     DEPENDS ${item} VERBATIM)
  list(APPEND stamps ${deploy_dir}/${id}.stamp)
  install(FILES ${out} DESTINATION ${folder})
endforeach()
add_custom_target(deploy_windows ALL DEPENDS ${stamps})
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
