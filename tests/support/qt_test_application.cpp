#include "support/qt_test_application.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdio>
#include <iostream>
#include <memory>

namespace testsupport {
namespace {

class QtApplicationEnvironment : public testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "vadididod-test";
        static char* argv[] = {name, nullptr};
        application_ = std::make_unique<QApplication>(argc, argv);
        QApplication::setOrganizationName(QStringLiteral("Tarnwick"));
        QApplication::setApplicationName(QStringLiteral("Vadididod"));
    }
    void TearDown() override { application_.reset(); }

private:
    std::unique_ptr<QApplication> application_;
};

[[maybe_unused]] testing::Environment* const environment =
    testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

} // namespace

std::string consoleOutputOf(const std::function<void()>& work) {
    std::cout.flush();
    testing::internal::CaptureStdout();
    work();
    std::cout.flush();
    return testing::internal::GetCapturedStdout();
}

} // namespace testsupport
