#pragma once

#include "core/CoreState.h"
#include "platform/Dialogs.h"
#include "tests/support/ResetAllState.h"
#include "tests/support/TempProgramFolder.h"

#include <gtest/gtest.h>

// A fresh program folder, fresh shared state and scripted dialogs for one test.
class CoreTest : public ::testing::Test, protected FreshState {
protected:
    TempProgramFolder folder;
    Dialogs::ScriptedProvider dialogs;
};
