# cmake -P script: fails when the link map MAP holds a section that only the C runtime's start-up
# code would act on: static constructors or destructors, thread-local data or its callbacks. The
# Installer is linked without that code, so such a section would be ignored without a word.
file(STRINGS "${MAP}" lines REGEX "^ \\.(ctors|dtors|init_array|fini_array|tls|CRT\\$)")
set(found "")
foreach(line IN LISTS lines)
  # " NAME ADDRESS SIZE FILE": a section of size 0 asks nothing.
  if(line MATCHES "^ ([^ ]+) +0x[0-9a-f]+ +0x0*([1-9a-f][0-9a-f]*) +(.*)$")
    string(APPEND found "\n  ${CMAKE_MATCH_1} from ${CMAKE_MATCH_3}")
  endif()
endforeach()
if(found)
  message(FATAL_ERROR "The Installer starts without the C runtime's start-up code, which these "
                      "sections need:${found}")
endif()
