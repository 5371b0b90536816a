// A fresh program for each test: the editing state and the main window,
// with any unexpected message box or dialog failing the test.
#pragma once

#include <gtest/gtest.h>

#include "editor/editor_state.h"
#include "editor/window_ids.h"
#include "forms/forms.h"
#include "primitives/driver.h"

class MainWindowFixture : public testing::Test {
 protected:
  void SetUp() override {
    driver::OnUnexpected(&ReportUnexpected);
    driver::Reset();
    CreateEditorState();
    LoadWindow(MainWindowForm());
    driver::Settle();
  }
  void TearDown() override {
    driver::Reset();
    ReleaseEditorState();
  }

  // Opens `path` through 打开(&O), the file dialog answered with it.
  static void OpenFile(const Text& path) {
    driver::AnswerNextDialog(path);
    driver::ChooseMenu(MainWindow::打开);
  }

 private:
  static void ReportUnexpected(const Text& what) { ADD_FAILURE() << "unexpected " << what; }
};
