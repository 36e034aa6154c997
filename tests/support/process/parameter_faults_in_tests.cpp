#include "support/process/parameter_faults_in_tests.h"

#include <cstdlib>
#include <gtest/gtest.h>

void failTestOnParameterFault(const std::string& typeName, const std::string& parameterName, const char* action,
                              const char* reason) {
    ADD_FAILURE() << "Parameter fault: " << action << " parameter \"" << parameterName << "\" of type \"" << typeName
                  << "\": " << reason;
}

namespace {

const bool installed = std::getenv("ZODERUD_TESTING") && !parameterfaults::setHandler(failTestOnParameterFault);

} // namespace
