# Run by the target "paks":
#   cmake -DMODE=pack -DKCONTENT=<tool> -DSTAGE=<unpacked folders> -DGAME=<game folder> -P PackGame.cmake
#   cmake -DMODE=clean -DGAME=<game folder> -P PackGame.cmake
# pack: content/, music/, content_hd/ become <name>.pak, locale/<lang>/ and locale_hd/<lang>/
# become locale/<lang>.pak and locale_hd/<lang>.pak. clean: removes those archives.
if(NOT DEFINED GAME OR NOT DEFINED MODE)
  message(FATAL_ERROR "PackGame.cmake needs -DMODE=pack|clean and -DGAME=...")
endif()

set(top_folders content music content_hd)
set(locale_folders locale locale_hd)

if(MODE STREQUAL "clean")
  foreach(top ${top_folders})
    file(REMOVE ${GAME}/${top}.pak)
  endforeach()
  foreach(top ${locale_folders})
    file(GLOB archives ${GAME}/${top}/*.pak)
    if(archives)
      file(REMOVE ${archives})
    endif()
  endforeach()
  return()
endif()

foreach(var KCONTENT STAGE)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "PackGame.cmake needs -D${var}=...")
  endif()
endforeach()

function(pack_folder folder archive)
  execute_process(COMMAND ${KCONTENT} pak ${folder} ${archive} RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "kcontent pak ${folder} ${archive} failed (${rc})")
  endif()
endfunction()

foreach(top ${top_folders})
  if(IS_DIRECTORY ${STAGE}/${top})
    pack_folder(${STAGE}/${top} ${GAME}/${top}.pak)
  endif()
endforeach()

foreach(top ${locale_folders})
  file(GLOB languages LIST_DIRECTORIES true ${STAGE}/${top}/*)
  list(SORT languages)
  foreach(language ${languages})
    if(IS_DIRECTORY ${language})
      get_filename_component(code ${language} NAME)
      pack_folder(${language} ${GAME}/${top}/${code}.pak)
    endif()
  endforeach()
endforeach()
