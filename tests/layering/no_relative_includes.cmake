# Fails on an include that climbs out of its own folder ("../"): it would
# reach another module's headers without linking that module, around the
# include folders that keep the modules apart.
# Usage: cmake -DROOT=<source root> -P no_relative_includes.cmake
set(found "")
foreach(dir IN ITEMS app about common tests bench)
    file(GLOB_RECURSE sources LIST_DIRECTORIES false ${ROOT}/${dir}/*.cpp ${ROOT}/${dir}/*.h)
    foreach(source IN LISTS sources)
        file(STRINGS ${source} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<][^\">]*\\.\\./")
        foreach(line IN LISTS lines)
            string(APPEND found "\n  ${source}: ${line}")
        endforeach()
    endforeach()
endforeach()
if(found)
    message(FATAL_ERROR "includes that climb out of their folder:${found}")
endif()
