#pragma once
// Test programs only: a parameter set or read by a name its object's type lacks (or as another
// kind) fails the running test, naming the type and the parameter. Installed in every test program
// when ZODERUD_TESTING is set.
#include <string>

#include "app/parameter_faults.h"

void failTestOnParameterFault(const std::string& typeName, const std::string& parameterName, const char* action,
                              const char* reason);

// While it exists the program's own handling (logged once) holds, for a test of that handling.
class ProgramParameterFaults {
public:
    ProgramParameterFaults() : before_(parameterfaults::setHandler(parameterfaults::logOnce)) {}
    ~ProgramParameterFaults() { parameterfaults::setHandler(before_); }
    ProgramParameterFaults(const ProgramParameterFaults&) = delete;
    ProgramParameterFaults& operator=(const ProgramParameterFaults&) = delete;

private:
    parameterfaults::Handler before_;
};

// While it exists a fault fails the running test whether or not ZODERUD_TESTING is set.
class TestParameterFaults {
public:
    TestParameterFaults() : before_(parameterfaults::setHandler(failTestOnParameterFault)) {}
    ~TestParameterFaults() { parameterfaults::setHandler(before_); }
    TestParameterFaults(const TestParameterFaults&) = delete;
    TestParameterFaults& operator=(const TestParameterFaults&) = delete;

private:
    parameterfaults::Handler before_;
};
