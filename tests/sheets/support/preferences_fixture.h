#pragma once
// A preferences sheet opened on the shared state put back to the first start,
// with a counting refresh flag and a URL opener that only records.

#include "sheets/preferences_view.h"
#include "sheets_test_support.h"

#include "app/global_model.h"
#include "app/user_settings.h"

#include <gtest/gtest.h>

#include <memory>

namespace testsupport {

class PreferencesSheet : public testing::Test {
protected:
    void SetUp() override { resetSharedState(); }
    void TearDown() override {
        sheet.reset();
        resetSharedState();
    }

    sheets::PreferencesView& open() {
        sheet = std::make_unique<sheets::PreferencesView>(flag.binding(), nullptr, opener.opener());
        sheet->open();
        settle();
        return *sheet;
    }

    static app::UserSettings& settings() { return app::UserSettings::shared(); }
    static app::GlobalModel& global() { return app::GlobalModel::shared(); }

    RefreshFlag flag;
    RecordingOpener opener;
    std::unique_ptr<sheets::PreferencesView> sheet;
};

} // namespace testsupport
