// Draws an evaluation window offscreen into a PNG, to look at its layout:
//   child_form_snapshot OUT.png DAYFILE [CHANNEL...] [--to LASTFILE] [--span N]
//                       [--size WxH] [--german]
// --to loads the days from DAYFILE to LASTFILE as a multi-day evaluation.
// CHANNEL names a check box without its prefix (T1, Flow, R1, ...).

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLayout>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "dialogs/scripted_dialogs.h"
#include "i18n/text_table.h"
#include "logdata/multi_day.h"
#include "settings/ini_settings.h"
#include "ui/child_form.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s OUT.png DAYFILE [CHANNEL...] [--span N] [--size WxH]\n", argv[0]);
    return 2;
  }
  calorix::i18n::SetCurrentBlock(calorix::i18n::LanguageBlock::English);
  calorix::ScriptedDialogs dialogs;
  calorix::ui::TChildform window(dialogs);
  window.setAttribute(Qt::WA_DeleteOnClose, false);
  const std::string ini = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") + "/snapshot-none.ini";
  window.ApplySettings(calorix::TIniSettings(ini, "/tmp").GetChildSettings());
  int span = -1;
  int width = 1100;
  int height = 700;
  const char* last = nullptr;
  for (int i = 3; i < argc; ++i) {
    if (std::strcmp(argv[i], "--to") == 0 && i + 1 < argc) last = argv[i + 1];
    if (std::strcmp(argv[i], "--german") == 0) calorix::i18n::SetCurrentBlock(calorix::i18n::LanguageBlock::German);
  }
  window.ApplyLanguage();
  try {
    if (last) {
      const auto request = calorix::logdata::ResolveMultiDayRequest(argv[2], last);
      calorix::logdata::RunMultiDayLoad(request.files, request.start, request.end, window, {});
    } else {
      window.LoadFile(argv[2]);
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
  }
  window.resize(width, height);
  window.show();
  for (int i = 3; i < argc; ++i) {
    if (std::strcmp(argv[i], "--span") == 0 && i + 1 < argc) {
      span = std::atoi(argv[++i]);
    } else if (std::strcmp(argv[i], "--size") == 0 && i + 1 < argc) {
      std::sscanf(argv[++i], "%dx%d", &width, &height);
      window.resize(width, height);
    } else if (std::strcmp(argv[i], "--to") == 0) {
      ++i;
    } else if (std::strcmp(argv[i], "--german") == 0) {
    } else if (auto* box = window.findChild<QCheckBox*>(QStringLiteral("CB_%1").arg(argv[i]))) {
      box->setChecked(true);
    }
  }
  if (span >= 0) {
    auto* choice = window.findChild<QComboBox*>("SpanTime");
    choice->setCurrentIndex(span);
    emit choice->activated(span);
  }
  QApplication::processEvents();
  if (std::getenv("SNAPSHOT_SIZES")) {
    for (QWidget* w : window.findChildren<QWidget*>()) {
      if (w->objectName().isEmpty()) continue;
      std::fprintf(stderr, "%s: %dx%d hint %dx%d min %dx%d\n", qPrintable(w->objectName()), w->width(), w->height(),
                   w->sizeHint().width(), w->sizeHint().height(), w->minimumSizeHint().width(),
                   w->minimumSizeHint().height());
    }
    std::fprintf(stderr, "window min %dx%d layout min %dx%d\n", window.minimumWidth(), window.minimumHeight(),
                 window.layout()->minimumSize().width(), window.layout()->minimumSize().height());
  }
  for (const auto& m : dialogs.Messages()) std::fprintf(stderr, "message: %s\n", m.text.c_str());
  return window.grab().save(argv[1]) ? 0 : 1;
}
