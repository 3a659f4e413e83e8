# Builds the Debian package with scripts/package.sh --fast, unpacks it with
# dpkg-deb -x into ROOT (no system change) and makes a one-photo album with the
# unpacked lumora-make, which must find its resource tree in ROOT and nothing
# of the build:
#   cmake -DBUILD_DIR=... -DSOURCE_DIR=... -DROOT=... -P PackageTest.cmake
file(REMOVE_RECURSE ${ROOT})
execute_process(COMMAND ${SOURCE_DIR}/scripts/package.sh ${BUILD_DIR} --fast
                RESULT_VARIABLE rc OUTPUT_VARIABLE deb ERROR_VARIABLE err OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT rc EQUAL 0 OR NOT EXISTS "${deb}")
  message(FATAL_ERROR "scripts/package.sh failed (${rc}): ${err}")
endif()
get_filename_component(name ${deb} NAME)
if(NOT name MATCHES "^lumora_[0-9.]+_amd64\\.deb$")
  message(FATAL_ERROR "unexpected package name: ${name}")
endif()

# Dependencies come from the binaries (dpkg-shlibdeps), plus the run-time ones.
execute_process(COMMAND dpkg-deb -f ${deb} Depends OUTPUT_VARIABLE depends)
foreach(d libqt6core6 libqt6multimedia6 libavcodec libebur128 fonts-wqy-microhei)
  if(NOT depends MATCHES "${d}")
    message(FATAL_ERROR "Depends lacks ${d}: ${depends}")
  endif()
endforeach()

execute_process(COMMAND dpkg-deb -x ${deb} ${ROOT} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "dpkg-deb -x failed: ${rc}")
endif()
file(REMOVE ${deb})
set(usr ${ROOT}/usr)
foreach(f bin/lumora bin/lumora-make share/applications/lumora.desktop
          share/icons/hicolor/scalable/apps/lumora.svg share/icons/hicolor/48x48/apps/lumora.png
          share/icons/hicolor/256x256/apps/lumora.png share/metainfo/org.lumora.Lumora.metainfo.xml
          share/man/man1/lumora-make.1.gz share/man/zh_CN/man1/lumora-make.1.gz share/man/man1/lumora.1.gz
          share/doc/lumora/copyright share/lumora/translations/lumora_en.qm
          share/lumora/smxcwjj/wj_0_or_3_3 share/lumora/yinyuegeciwenjian share/lumora/shilizhaopian)
  if(NOT EXISTS ${usr}/${f})
    message(FATAL_ERROR "not in the package: /usr/${f}")
  endif()
endforeach()

# The manual pages are readable text in their language, not the '?' a C
# locale makes of every other character.
foreach(page "man1/lumora-make.1.gz;album mode" "zh_CN/man1/lumora-make.1.gz;相册模式")
  list(GET page 0 file)
  list(GET page 1 words)
  execute_process(COMMAND gzip -dc ${usr}/share/man/${file} OUTPUT_VARIABLE text)
  if(NOT text MATCHES "${words}" OR text MATCHES "\\?\\?")
    message(FATAL_ERROR "manual page ${file} lacks \"${words}\" or holds '??':\n${text}")
  endif()
endforeach()

set(run ${ROOT}-run)
file(REMOVE_RECURSE ${run})
file(MAKE_DIRECTORY ${run})

# The plan of the demonstration album names the sample photos, song and lyric
# file it takes from the resource tree: all of them must be in the unpacked
# root, none in the build.
execute_process(COMMAND ${usr}/bin/lumora-make --plan --json --seed 1 WORKING_DIRECTORY ${run}
                RESULT_VARIABLE rc OUTPUT_VARIABLE plan ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the unpacked lumora-make --plan failed (${rc}): ${err}")
endif()
string(REGEX MATCHALL "\"(photo|path|lyrics)\": *\"[^\"]+\"" sources "${plan}")
set(from_tree 0)
foreach(s IN LISTS sources)
  string(REGEX REPLACE "^[^:]*: *\"(.*)\"$" "\\1" p "${s}")
  if(p MATCHES "\\.(jpg|mp3|lrc)$")
    if(NOT p MATCHES "^${usr}/share/lumora/(shilizhaopian|yinyuegeciwenjian)/")
      message(FATAL_ERROR "the unpacked lumora-make took ${p} from outside ${usr}/share/lumora")
    endif()
    math(EXPR from_tree "${from_tree} + 1")
  endif()
endforeach()
if(from_tree LESS 3 OR NOT plan MATCHES "\\.mp3\"")
  message(FATAL_ERROR "the demonstration plan names no sample content:\n${plan}")
endif()
string(FIND "${plan}" "${BUILD_DIR}/bin/" in_build)
if(NOT in_build EQUAL -1)
  message(FATAL_ERROR "the unpacked lumora-make refers to the build's program folder ${BUILD_DIR}/bin")
endif()

# The English translation is found in the unpacked tree too.
execute_process(COMMAND ${usr}/bin/lumora-make --lang en --help WORKING_DIRECTORY ${run} OUTPUT_VARIABLE help
                ERROR_VARIABLE help)
if(NOT help MATCHES "Usage: lumora-make")
  message(FATAL_ERROR "the unpacked lumora-make did not find its English translation:\n${help}")
endif()

# A one-photo album at the smallest MP4 size, from a folder outside the root.
file(GLOB photos ${usr}/share/lumora/shilizhaopian/*.jpg)
list(SORT photos)
list(GET photos 0 photo)
execute_process(COMMAND ${usr}/bin/lumora-make --type MP4 --size 320x176 --seed 1 --text-effects off
                        --name packaged --out ${run} ${photo}
                WORKING_DIRECTORY ${run} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the unpacked lumora-make failed (${rc}):\n${out}\n${err}")
endif()
execute_process(COMMAND ffprobe -v error -count_frames -select_streams v:0 -show_entries stream=nb_read_frames
                        -of default=nw=1:nk=1 ${run}/packaged.mp4
                RESULT_VARIABLE rc OUTPUT_VARIABLE frames OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT rc EQUAL 0 OR frames LESS 1)
  message(FATAL_ERROR "the unpacked program's album does not decode: ${rc} ${frames}")
endif()
message(STATUS "the packaged lumora-make made ${frames} frames from the tree in ${usr}/share/lumora")
file(REMOVE_RECURSE ${ROOT} ${run})
