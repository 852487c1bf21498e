# qtr318_add_test(NAME SOURCES file... LIBS target... [ENVIRONMENT VAR=value...] [TIMEOUT s])
# Every test is a Qt Test executable run by CTest; widget tests use the offscreen platform. The
# programs a test starts speak Chinese, whatever the locale of the machine running the tests;
# ENVIRONMENT may choose another language with LANG.
function(qtr318_add_test name)
    cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS;ENVIRONMENT" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test ${T_LIBS})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
    add_test(NAME ${name} COMMAND ${name})
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 300)
    endif()
    set_tests_properties(${name} PROPERTIES
        TIMEOUT ${T_TIMEOUT}
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QTR318_BUILD_DIR=${PROJECT_BINARY_DIR};LANG=C.UTF-8;${T_ENVIRONMENT}"
        ENVIRONMENT_MODIFICATION "LANGUAGE=unset:;LC_ALL=unset:;LC_MESSAGES=unset:")
endfunction()
