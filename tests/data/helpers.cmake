# Tests of the text helpers and the number/date formats; included from tests/data/CMakeLists.txt.
foreach(name test_texthelpers test_formats)
    add_executable(${name} ${CMAKE_CURRENT_LIST_DIR}/${name}.cpp)
    target_link_libraries(${name} PRIVATE zeror_data zeror_warnings GTest::gtest_main)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        TIMEOUT ${ZEROR_TEST_TIMEOUT}
        ENVIRONMENT QT_QPA_PLATFORM=offscreen)
endforeach()
