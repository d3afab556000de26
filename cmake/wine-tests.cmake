# The suite again as Windows programs, run by CTest under Wine (through
# tools/windows/wine-run.sh), plus what only the Windows build has: its
# resources, a real window, the link hand-off and the two packages.
if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
    message(WARNING "No Wine found: the Windows tests cannot run here")
    return()
endif()

set(windows_tools ${PROJECT_SOURCE_DIR}/tools/windows)
include(${PROJECT_SOURCE_DIR}/cmake/windows-common.cmake)

# The cache folder is chosen in one place, tools/windows/env.sh (it honours
# MORVANE2_CACHE and XDG_CACHE_HOME); a configure that is not given one asks it.
if(NOT MORVANE2_CACHE)
    execute_process(
        COMMAND bash -c "source \"$1\" && printf %s \"$MORVANE2_CACHE\"" env.sh ${windows_tools}/env.sh
        OUTPUT_VARIABLE cache RESULT_VARIABLE status)
    if(NOT status EQUAL 0 OR NOT cache)
        message(FATAL_ERROR "tools/windows/env.sh named no cache folder")
    endif()
    set(MORVANE2_CACHE "${cache}" CACHE PATH
        "Cache folder of tools/windows: Qt for Windows and Wine's prefix (wine64)")
endif()

# The address the About window's first link hands to the browser.
include(${PROJECT_SOURCE_DIR}/cmake/linktable.cmake)
morvane2_first_link_address(first_link)

# Offscreen Qt on Windows reads fonts from one folder only: this one holds
# Noto CJK for the Chinese and DejaVu for Latin.
find_file(MORVANE2_CJK_FONT NotoSansCJK-Regular.ttc
    PATHS /usr/share/fonts/opentype/noto NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
find_file(MORVANE2_LATIN_FONT DejaVuSans.ttf
    PATHS /usr/share/fonts/truetype/dejavu NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT MORVANE2_CJK_FONT OR NOT MORVANE2_LATIN_FONT)
    message(FATAL_ERROR "the tests need fonts-noto-cjk and fonts-dejavu-core")
endif()
set(font_dir ${CMAKE_CURRENT_BINARY_DIR}/wine-fonts)
set(latin_font_dir ${CMAKE_CURRENT_BINARY_DIR}/wine-fonts-latin)
foreach(pair IN ITEMS "${font_dir}|${MORVANE2_CJK_FONT}" "${font_dir}|${MORVANE2_LATIN_FONT}"
                      "${latin_font_dir}|${MORVANE2_LATIN_FONT}")
    string(REPLACE "|" ";" pair "${pair}")
    list(GET pair 0 dir)
    list(GET pair 1 font)
    get_filename_component(name "${font}" NAME)
    file(MAKE_DIRECTORY ${dir})
    file(CREATE_LINK ${font} ${dir}/${name} SYMBOLIC)
endforeach()

morvane2_windows_dll_dirs(dll_dir_list)
list(JOIN dll_dir_list ":" dll_dirs)

# Every program the tests start through CTest runs through the wrapper.
set(emulator ${windows_tools}/wine-run.sh ${MORVANE2_CACHE} ${dll_dirs} ${font_dir})
function(morvane2_run_under_wine dir)
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
        get_target_property(type ${target} TYPE)
        if(type STREQUAL "EXECUTABLE")
            set_property(TARGET ${target} PROPERTY CROSSCOMPILING_EMULATOR ${emulator})
        endif()
    endforeach()
    get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    foreach(subdir IN LISTS subdirs)
        morvane2_run_under_wine(${subdir})
    endforeach()
endfunction()
morvane2_run_under_wine(${PROJECT_SOURCE_DIR})

# A system without Chinese fonts, to offscreen Qt: a folder without them.
get_property(env TEST tst_startup_without_chinese_font PROPERTY ENVIRONMENT)
set_property(TEST tst_startup_without_chinese_font PROPERTY ENVIRONMENT
    ${env} QT_QPA_FONTDIR=Z:${latin_font_dir})

# Not for Windows: starting without a display is an X11 and Wayland matter
# (Windows always has a desktop), and tst_linkopener replaces the Unix
# launcher through PATH inside the process, which Wine's browser hand-off
# does not see; wine_about_link below checks that hand-off instead.
set_tests_properties(program_without_display_unset program_without_display_unreachable
    tst_linkopener PROPERTIES DISABLED TRUE)

add_test(NAME windows_exe_resources
    COMMAND ${windows_tools}/check-exe.sh $<TARGET_FILE:morvane2-items>
            ${PROJECT_SOURCE_DIR}/assets/icons/morvane2.ico ${PROJECT_VERSION})

# Qt's windows platform on a private X server; Wine draws the Chinese with
# the system's fonts, found through fontconfig.
set(wine_path "")
foreach(dir IN LISTS dll_dir_list)
    string(APPEND wine_path "Z:${dir}\\;")
endforeach()
set(gui_env "WINEPATH=${wine_path}" MORVANE2_CACHE=${MORVANE2_CACHE})
# Each check keeps Wine's and the program's output in its own folder here.
set(wine_logs ${CMAKE_CURRENT_BINARY_DIR}/wine-logs)
add_test(NAME wine_window
    COMMAND ${windows_tools}/wine-gui.sh --logs ${wine_logs}/wine_window
            --screenshot ${PROJECT_BINARY_DIR}/windows.png $<TARGET_FILE:morvane2-items>)
add_test(NAME wine_about_link
    COMMAND ${windows_tools}/wine-gui.sh --logs ${wine_logs}/wine_about_link
            --about-link ${first_link} $<TARGET_FILE:morvane2-items>)
set_tests_properties(wine_window wine_about_link PROPERTIES
    ENVIRONMENT "${gui_env}" TIMEOUT 240 RUN_SERIAL TRUE)

# The packages, as a player gets them: unpacked or installed, then started
# with nothing but their own folder to find DLLs in.
morvane2_windows_package_name(package)
add_test(NAME windows_zip
    COMMAND ${windows_tools}/check-zip.sh ${PROJECT_BINARY_DIR}/${package}.zip
            ${wine_logs}/windows_zip)
add_test(NAME windows_installer
    COMMAND ${windows_tools}/check-installer.sh ${PROJECT_BINARY_DIR}/${package}.exe
            ${PROJECT_VERSION} ${wine_logs}/windows_installer)
set_tests_properties(windows_zip windows_installer PROPERTIES
    ENVIRONMENT MORVANE2_CACHE=${MORVANE2_CACHE} TIMEOUT 300 RUN_SERIAL TRUE
    LABELS packaging)
