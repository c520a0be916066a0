// What the window tests share: an MSTS installation in memory with one
// route, the main object over it, and the main window made on demand.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLineEdit>
#include <QTest>
#include <algorithm>
#include <memory>
#include <optional>

#include "core/conv_main.h"
#include "ops/route_state.h"
#include "tests/support/fake_processes.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/msts_text.h"
#include "tests/support/scripted_ui.h"
#include "ui/main_window.h"

namespace ui {

// Host paths as a single drive Z: = / would give them.
class HostPathFiles : public test_support::MemoryFileSystem {
 public:
  using MemoryFileSystem::MemoryFileSystem;
  std::string FromUserPath(const std::string& text) const override {
    if (!text.starts_with('/')) return text;
    std::string path = "Z:" + text;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
  }
};

class WindowFixture : public ::testing::Test {
 protected:
  WindowFixture() {
    files.Add("C:\\work\\conv.ini",
              "[INF]\r\nLANGUAGE=1\r\n[PATHS]\r\nUTILS=C:\\MSTS\\UTILS\r\nROOT=C:\\MSTS\r\n"
              "LASTDIR=C:\\models\r\n");
    for (const char* tool : {"conv3ds.exe", "txt2uni.exe", "makeace.exe"}) {
      files.Add(std::string("C:\\MSTS\\UTILS\\") + tool, "MZ");
    }
    files.Add("C:\\MSTS\\ROUTES\\Line\\Line.trk", "");
    files.Add("C:\\MSTS\\ROUTES\\Line\\tsection.dat", "");
    files.Add("C:\\MSTS\\ROUTES\\Line\\Line.ref",
              test_support::MstsFile("r1", "Static ( Class ( Houses ) FileName ( hut.s ) )\r\n"));
    files.AddFolder("C:\\MSTS\\ROUTES\\Line\\SHAPES");
  }

  core::ConvMain& Main() {
    if (!main_) main_.emplace(files, processes, *shows);
    return *main_;
  }
  TConvMainForm& Window() {
    if (!window_) window_ = std::make_unique<TConvMainForm>(Main(), routes, operations);
    return *window_;
  }
  template <typename Control>
  Control* Find(const char* name) {
    auto* control = Window().findChild<Control*>(name);
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  void Type(const char* edit, const QString& text) {
    QLineEdit* box = Find<QLineEdit>(edit);
    box->selectAll();
    QTest::keyClicks(box, text);
  }
  void Click(const char* button) { Find<QAbstractButton>(button)->click(); }

  HostPathFiles files{"C:\\work"};
  test_support::FakeProcesses processes;
  test_support::ScriptedUi ui;
  // What the main object shows through: the script, or the program's own dialogs.
  core::Ui* shows = &ui;
  ops::RouteState routes;
  RouteOperations operations;

 private:
  std::optional<core::ConvMain> main_;
  std::unique_ptr<TConvMainForm> window_;
};

}  // namespace ui
