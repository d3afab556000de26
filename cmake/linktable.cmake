# The address of the About window's first link, read out of the link table
# in common/links.h for the Windows test that expects it at the browser.
include_guard(GLOBAL)

# morvane2_first_link_address(OUT_VAR): fails the configure when the table
# has moved or changed shape, so that the reading cannot go stale unseen.
function(morvane2_first_link_address out_var)
    set(links_h ${PROJECT_SOURCE_DIR}/common/links.h)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${links_h})
    file(READ ${links_h} links_text)
    if(NOT links_text MATCHES "kLinks[^{;]*{{[ \t\r\n]*{[ \t\r\n]*\"(https?://[^\"]+)\"")
        message(FATAL_ERROR "${links_h}: the link table kLinks{{ {\"http...\", ...} was not found, "
                            "so wine_about_link does not know which address to expect: "
                            "has the table moved or changed shape?")
    endif()
    set(${out_var} ${CMAKE_MATCH_1} PARENT_SCOPE)
endfunction()
