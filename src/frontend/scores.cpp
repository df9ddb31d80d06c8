#include "frontend/scores.h"

#include <cstdio>
#include <string>

#include "framework/core/numbers.h"
#include "framework/core/random.h"
#include "framework/core/utf8.h"
#include "framework/files/log.h"
#include "framework/files/strings.h"
#include "framework/media/anim_image.h"
#include "framework/media/bmfont.h"
#include "framework/media/canvas_placement.h"
#include "framework/media/resources.h"
#include "framework/ui/controls.h"
#include "framework/ui/dialog.h"
#include "framework/ui/mouse.h"
#include "framework/ui/widget_updater.h"
#include "frontend/level_record.h"
#include "frontend/profile.h"
#include "frontend/save_folder.h"
#include "platform/draw.h"
#include "platform/files.h"
#include "platform/graphics_state.h"
#include "platform/input.h"
#include "play/game.h"
#include "play/player.h"
#include "world/resource_bindings.h"

namespace kelp {

std::string HighScores[8][2][2];

namespace {

// Far longer than any name or score of the table; a longer count is damage.
constexpr int32_t kMaxChars = 255;

// A score as the table keeps it: digits only, at most nine of them.
bool IsScoreText(const std::string& s) {
  if (s.empty() || s.size() > 9) return false;
  for (const char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

platform::ImageRef Picture(const char* id) { return ResManager ? ResManager->GetImage(id) : nullptr; }

// The name cut to `width` pixels of the current font, with "..." where it was cut.
std::string FitName(const std::string& name, int width) {
  if (BMTextWidth(name) <= width) return name;
  std::string cut = name;
  while (!cut.empty() && BMTextWidth(cut + "...") > width) utf8::PopBack(cut);
  return cut + "...";
}

}  // namespace

std::string ScoresPath() { return GetSaveFolder() + "scores.dat"; }

void TScores::WriteString3(platform::Stream& s, const std::string& text) {
  s.WriteInt(static_cast<int32_t>(utf8::Length(text)));
  for (size_t i = 0; i < text.size();) {
    const int code = static_cast<int>(utf8::Next(text, i));
    const int r = Rand(1, 10);
    s.WriteByte(static_cast<uint8_t>(r));
    s.WriteInt(2 * code - r);
  }
}

bool TScores::ReadString3(platform::Stream& s, std::string& text) {
  text.clear();
  if (s.Remaining() < 4) return false;
  const int32_t n = s.ReadInt();
  if (n < 0 || n > kMaxChars || s.Remaining() < static_cast<int64_t>(n) * 5) return false;
  for (int32_t i = 0; i < n; ++i) {
    const int r = s.ReadByte();
    const int64_t v = s.ReadInt();
    const int64_t code = (r + v) / 2;
    if (r < 1 || r > 10 || code < 32 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    utf8::Append(text, static_cast<uint32_t>(code));
  }
  return true;
}

bool TScores::WriteScores(platform::Stream& s) {
  for (auto& row : HighScores)
    for (auto& mode : row)
      for (const std::string& cell : mode) WriteString3(s, cell);
  return s.Ok();
}

bool TScores::WriteScores() {
  if (platform::SaveFileAtomic(ScoresPath(), [](platform::Stream& s) { return WriteScores(s); })) return true;
  WriteLog("scores.dat could not be written; the old file is kept", LOG_ERROR);
  return false;
}

bool TScores::ReadScores(platform::Stream& s) {
  std::string table[8][2][2];
  for (auto& row : table)
    for (auto& mode : row)
      for (int kind = 0; kind < 2; ++kind)
        if (!ReadString3(s, mode[kind]) || (kind == 1 && !IsScoreText(mode[kind]))) return false;
  if (s.Remaining() != 0) return false;
  for (int r = 0; r < 8; ++r)
    for (int m = 0; m < 2; ++m)
      for (int k = 0; k < 2; ++k) HighScores[r][m][k] = table[r][m][k];
  return true;
}

void TScores::DefaultScores() {
  // A name drawn again is drawn anew a few times, so a table rarely shows one twice.
  auto name = [](int mode, int row) {
    std::string n = PhraseBank ? PhraseBank->GetScoresName() : "";
    for (int tries = 0; tries < 8; ++tries) {
      bool taken = false;
      for (int r = 0; r < row; ++r) taken = taken || HighScores[r][mode][0] == n;
      if (!taken || !PhraseBank) break;
      n = PhraseBank->GetScoresName();
    }
    return n;
  };
  for (int i = 1; i <= 8; ++i) {
    auto& row = HighScores[i - 1];
    row[0][0] = name(0, i - 1);
    row[0][1] = std::to_string(1100 - 100 * i);
    row[1][0] = name(1, i - 1);
    row[1][1] = std::to_string(550 - 50 * i);
  }
}

void TScores::ReadScores() {
  const std::string path = ScoresPath();
  const platform::StreamRef s = platform::OpenFileRead(path);
  if (s && ReadScores(*s)) return;
  if (s) WriteLog("scores.dat is damaged; it is replaced by the default table", LOG_WARNING);
  // Without a file the defaults still stand in memory.
  DefaultScores();
  WriteScores();
}

int InsertScore(int mode, const std::string& name, int score) {
  mode = mode == 1 ? 1 : 0;
  const std::string text = std::to_string(score);
  for (auto& row : HighScores)
    if (row[mode][0] == name && row[mode][1] == text) return -1;
  for (int i = 0; i < 8; ++i) {
    if (ToInt(HighScores[i][mode][1]) >= score) continue;
    for (int k = 7; k > i; --k) {
      HighScores[k][mode][0] = HighScores[k - 1][mode][0];
      HighScores[k][mode][1] = HighScores[k - 1][mode][1];
    }
    HighScores[i][mode][0] = name;
    HighScores[i][mode][1] = text;
    return i;
  }
  return -1;
}

void AddScore() {
  if (!Player || !Player->Profile) return;
  TScores::ReadScores();
  const int mode = GameScreen ? GameScreen->GameMode : 0;
  // One number places the row and stands in it: the player's total now.
  if (InsertScore(mode, Player->Profile->name, Player->scores) >= 0)
    std::printf("scores: %d\n", Player->scores);
  TScores::WriteScores();
  TLevelRecord::Save();
}

// ------------------------------------------------------------------ dialog

Ref<TScores> ShowScores() {
  auto d = New<TScores>();
  d->Image = Picture("IMAGE_SCORES_FRAME");
  d->Fadeable = 1;
  d->Modal = 1;
  if (!WidgetManager) return d;
  WidgetManager->AddWidget(d);
  const int w = d->Image ? d->Image->Width() : 380, h = d->Image ? d->Image->Height() : 460;
  d->Resize(VirtualCenterX - w / 2, -h, w, h);
  d->StartShow();
  return d;
}

int TScores::AddedToManager() {
  auto button = [this](int id) {
    auto b = CreateButton(0, 0, nullptr, "", id, Self(), 0, 0);
    WidgetManager->AddWidget(b);
    return b;
  };
  Button_OK = button(Button_OK_ID);
  Button_OK->SetAnim(TAnimImage::Load2("IMAGE_GUI_BT_OK", -1));
  ArrowL = button(ArrowL_ID);
  ArrowL->ButtonImage = Picture("IMAGE_GUI_ARROWL");
  ArrowL->OverImage = Picture("IMAGE_GUI_ARROWL_ON");
  ArrowR = button(ArrowR_ID);
  ArrowR->ButtonImage = Picture("IMAGE_GUI_ARROWR");
  ArrowR->OverImage = Picture("IMAGE_GUI_ARROWR_ON");
  for (const Ref<TButtonWidget>& b : {ArrowL, ArrowR})
    if (b->ButtonImage) b->Resize(0, 0, b->ButtonImage->Width(), b->ButtonImage->Height());
  Normal = Picture("IMAGE_SCORES_Normal");
  Relaxed = Picture("IMAGE_SCORES_Relaxed");
  return 0;
}

int TScores::RemovedFromManager() {
  for (const Ref<TButtonWidget>& b : {Button_OK, ArrowL, ArrowR}) WidgetManager->RemoveWidget(b);
  platform::FlushKeys();
  if (Mouse) Mouse->Flush();
  return 0;
}

int TScores::SetPosition(int px, int py) {
  TWidget::Resize(px, py, _width, _height);
  if (Button_OK) Button_OK->SetPosition(px + 130, py + 404);
  if (ArrowL) ArrowL->SetPosition(px - 45, py + 200);
  if (ArrowR) ArrowR->SetPosition(px + 335, py + 200);
  return 0;
}

int TScores::Resize(int px, int py, int width, int height) {
  TWidget::Resize(px, py, width, height);
  return SetPosition(px, py);
}

int TScores::SetHided(int flag) {
  TWidget::SetHided(flag);
  for (const Ref<TButtonWidget>& b : {Button_OK, ArrowL, ArrowR})
    if (b) b->SetHided(flag);
  return 0;
}

int TScores::StartShow() {
  ReadScores();
  Updater = TWidgetUpdater::Create(Self(), 1);
  Updater->Init(0, 1, 0.9f, 1.5f);
  Updater->StartShow(4.0f, 0.6f, 0.15f);
  fade_state = 1;
  return 0;
}

int TScores::StartHiding() {
  Updater = TWidgetUpdater::Create(Self(), 1);
  Updater->Init(0, 1, 0.9f, 1.5f);
  Updater->StartHiding();
  fade_state = 2;
  return 0;
}

int TScores::DePress(int id) {
  if (id == Button_OK_ID && fade_state != 2) StartHiding();
  if (id == ArrowL_ID || id == ArrowR_ID) state = 1 - state;
  return 0;
}

int TScores::Update(float dt) {
  const Ref<TWidget> keep = Self();
  if (Updater) Updater->Update(dt);
  SetPosition(static_cast<int>(_x), static_cast<int>(_y));
  if (platform::KeyHit(platform::VK_ESCAPE)) DePress(Button_OK_ID);
  if (Updater && Updater->IsHiding() && Updater->IsDeath()) WidgetManager->RemoveWidget(this);
  return 0;
}

int TScores::Draw() {
  platform::SetColor(255, 255, 255);
  platform::SetAlpha(1.0f);
  platform::DrawImage(Image, 0.0f, 0.0f);
  platform::DrawImage(state == 0 ? Normal : Relaxed, 188.0f, 100.0f);
  SetBMFont(FontHighScores ? FontHighScores : Font02);
  for (int i = 1; i <= 8; ++i) {
    const int y = 80 + 35 * i;
    const std::string score = FormatThousands(ToInt(HighScores[i - 1][state][1]));
    DrawBMText(std::to_string(i), 50.0f, static_cast<float>(y));
    DrawBMText(FitName(HighScores[i - 1][state][0], 220 + 110 - BMTextWidth(score) - 10 - 70), 70.0f,
               static_cast<float>(y));
    DrawTextBox(220, y, score, 110, JUSTIFY_RIGHT, 1);
  }
  return 0;
}

}  // namespace kelp
