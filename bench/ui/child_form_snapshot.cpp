// Draws an evaluation window offscreen into a PNG, to look at its layout:
//   child_form_snapshot OUT.png DAYFILE [CHANNEL...] [--span N] [--size WxH]
// CHANNEL names a check box without its prefix (T1, Flow, R1, ...).

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "dialogs/scripted_dialogs.h"
#include "i18n/text_table.h"
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
  try {
    window.LoadFile(argv[2]);
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
  for (const auto& m : dialogs.Messages()) std::fprintf(stderr, "message: %s\n", m.text.c_str());
  return window.grab().save(argv[1]) ? 0 : 1;
}
