#include "web/verification_result.h"

#include <gtest/gtest.h>

namespace quexa::web {
namespace {

TEST(VerificationResultTest, StatusCodesMapToResults) {
    using core::StatusCode;
    struct Case {
        int status;
        StatusCode expected;
    };
    const Case cases[] = {
        {200, StatusCode::Reachable},   {301, StatusCode::Reachable},
        {1, StatusCode::Reachable},     {2, StatusCode::Reachable},
        {302, StatusCode::Unknown},     {500, StatusCode::Unknown},
        {502, StatusCode::Unknown},     {0, StatusCode::Unreachable},
        {3, StatusCode::Unreachable},   {201, StatusCode::Unreachable},
        {303, StatusCode::Unreachable}, {304, StatusCode::Unreachable},
        {404, StatusCode::Unreachable}, {501, StatusCode::Unreachable},
        {503, StatusCode::Unreachable}, {-1, StatusCode::Unreachable},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(VerificationResult(c.status), c.expected) << c.status;
    }
}

}  // namespace
}  // namespace quexa::web
