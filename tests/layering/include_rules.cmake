# Rules on includes that the compiler alone cannot enforce:
# - no include climbs out of its own folder ("../"): it would reach another
#   module's headers without linking that module, around the include folders
#   that keep the modules apart;
# - the search includes no header of QtGui or QtWidgets: they are reachable
#   through Qt's own include root from QtCore, and their inline members would
#   link without the libraries.
# Usage: cmake -DROOT=<source root> -P include_rules.cmake
set(found "")
function(check dirs pattern what)
    foreach(dir IN LISTS dirs)
        file(GLOB_RECURSE sources LIST_DIRECTORIES false ${ROOT}/${dir}/*.cpp ${ROOT}/${dir}/*.h)
        foreach(source IN LISTS sources)
            file(STRINGS ${source} lines REGEX "${pattern}")
            foreach(line IN LISTS lines)
                string(APPEND found "\n  ${what}: ${source}: ${line}")
            endforeach()
        endforeach()
    endforeach()
    set(found "${found}" PARENT_SCOPE)
endfunction()

set(include "^[ \t]*#[ \t]*include[ \t]*[\"<]")
check("app;about;common;tests;bench" "${include}[^\">]*\\.\\./" "climbs out of its folder")
check("app/search" "${include}(QtGui|QtWidgets)/" "a GUI header in the search")
if(found)
    message(FATAL_ERROR "includes that break the modules' rules:${found}")
endif()
