# Installs the build into PREFIX, then produces a short album with the
# installed lumora-make from a folder outside the build and the prefix, and
# checks that the video plays: cmake -DBUILD_DIR=... -DPREFIX=... -P InstallTest.cmake
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${rc}")
endif()
foreach(f bin/lumora-make share/applications/lumora.desktop share/icons/hicolor/scalable/apps/lumora.svg
          share/lumora/smxcwjj/wj_0_or_3_3 share/lumora/yinyuegeciwenjian share/lumora/shilizhaopian)
  if(NOT EXISTS ${PREFIX}/${f})
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()
if(EXISTS ${PREFIX}/bin/smxcwjj)
  message(FATAL_ERROR "the resource tree belongs under share/lumora, not bin")
endif()

set(run ${PREFIX}/run)
file(MAKE_DIRECTORY ${run})
# The installed tree is read only to the program: make it so.
execute_process(COMMAND chmod -R a-w ${PREFIX}/share/lumora)
execute_process(COMMAND ${PREFIX}/bin/lumora-make --type MP4 --size 320x176 --seed 1 --name installed --out ${run}
                WORKING_DIRECTORY ${run} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
execute_process(COMMAND chmod -R u+w ${PREFIX}/share/lumora)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "installed lumora-make failed (${rc}):\n${out}\n${err}")
endif()
execute_process(COMMAND ffprobe -v error -count_frames -select_streams v:0 -show_entries stream=nb_read_frames
                        -of default=nw=1:nk=1 ${run}/installed.mp4
                RESULT_VARIABLE rc OUTPUT_VARIABLE frames OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT rc EQUAL 0 OR frames LESS 1)
  message(FATAL_ERROR "the installed program's album does not decode: ${rc} ${frames}")
endif()
execute_process(COMMAND ${PREFIX}/bin/lumora-make --type MP4 --seed 1 --plan --json WORKING_DIRECTORY ${run}
                OUTPUT_VARIABLE plan RESULT_VARIABLE rc)
string(REGEX MATCH "\"total_frames\": *([0-9]+)" _ "${plan}")
if(NOT CMAKE_MATCH_1 STREQUAL frames)
  message(FATAL_ERROR "decoded ${frames} frames, the plan says ${CMAKE_MATCH_1}")
endif()
message(STATUS "installed lumora-make produced ${frames} frames")
file(REMOVE_RECURSE ${PREFIX})
