# The two kinds of library of a subsystem.
#
# zeror_rules_library(NAME SOURCES … [LIBS …]): the rules, statements and file formats. It links
# Qt Core (Gui only where it paints or encodes) and never a widget: the folder in front of Qt's
# headers turns any Qt Widgets or Print Support include into a compile error.
#
# zeror_screens_library(NAME SOURCES … [LIBS …]): the screens on top of the rules, with the
# shared widgets.
set(ZEROR_NO_WIDGETS_DIR ${CMAKE_CURRENT_LIST_DIR}/nowidgets)

function(zeror_rules_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    # Private: the screens that use the rules include widgets freely.
    target_include_directories(${name} BEFORE PRIVATE ${ZEROR_NO_WIDGETS_DIR})
    target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_LIBS} Qt6::Core PRIVATE zeror_warnings)
endfunction()

function(zeror_screens_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_LIBS} zeror_widgets Qt6::Widgets PRIVATE zeror_warnings)
endfunction()
