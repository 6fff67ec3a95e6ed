#include <QClipboard>
#include <QDir>
#include <QIcon>
#include <QPixmap>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "AppFixture.h"
#include "Commands.h"
#include "Icons.h"

namespace tq::test {
namespace {

using CommandTest = AppTest;

TEST_F(CommandTest, EveryToolbarButtonIsAMenuCommandWithAPicture) {
  Start();
  QList<QAction*> menuCommands;
  for (QAction* top : form->menuBar()->actions()) menuCommands += top->menu()->actions();
  int buttons = 0;
  for (auto* tool : Child<QToolBar>("ToolBar")->findChildren<QToolButton*>()) {
    if (!tool->defaultAction() || tool->objectName().isEmpty()) continue;  // the extension arrow
    ++buttons;
    EXPECT_TRUE(menuCommands.contains(tool->defaultAction())) << tool->objectName().toStdString();
    EXPECT_FALSE(tool->icon().isNull()) << tool->objectName().toStdString();
    EXPECT_FALSE(tool->toolTip().isEmpty()) << tool->objectName().toStdString();
  }
  EXPECT_EQ(buttons, 20);  // the sixteen of the design, Best Phrases, Practice, Undo and Redo
  // Pressing one runs the command.
  QTest::mouseClick(Child<QToolButton>("ButtonInsert"), Qt::LeftButton);
  EXPECT_TRUE(Modified());
}

TEST_F(CommandTest, EditCommandsActOnlyOnTheEditFields) {
  Start();
  QClipboard* clipboard = QApplication::clipboard();
  TypeDescription("keep this part");
  form->CurrentWorksheet()->SetModified(false);
  QLineEdit* description = Edit("EditDescription");
  description->setSelection(4, 10);  // " this part"
  Run("MenuDelete");
  EXPECT_EQ(Text("EditDescription"), "keep");
  EXPECT_EQ(Cell(0, 2), "keep");
  EXPECT_TRUE(Modified());

  description->selectAll();
  Run("MenuCut");
  EXPECT_EQ(clipboard->text(), "keep");
  EXPECT_EQ(Text("EditDescription"), "");
  Run("MenuPaste");
  EXPECT_EQ(Text("EditDescription"), "keep");

  // With the focus in the list the commands do nothing, Ctrl+C included.
  clipboard->setText("untouched");
  List()->setFocus();
  QTest::keyClick(List(), Qt::Key_C, Qt::ControlModifier);
  Run("MenuCopy");
  Run("MenuPaste");
  EXPECT_EQ(clipboard->text(), "untouched");
  EXPECT_EQ(Text("EditDescription"), "keep");

  // The phrase can be copied from but not changed.
  QLineEdit* phrase = Edit("EditPhrase");
  phrase->setText("fixed");
  phrase->setFocus();
  phrase->selectAll();
  Run("MenuCut");
  Run("MenuPaste");
  EXPECT_EQ(Text("EditPhrase"), "fixed");
  Run("MenuCopy");
  EXPECT_EQ(clipboard->text(), "fixed");
}

TEST_F(CommandTest, MenuKeysWinOverTheFieldsOwnKeys) {
  Start();
  const int rows = form->CurrentWorksheet()->Count();
  Edit("EditNumber")->setFocus();
  QTest::keyClick(Edit("EditNumber"), Qt::Key_Insert, Qt::ControlModifier);
  EXPECT_TRUE(Modified());  // a number was inserted, nothing copied
  EXPECT_GE(form->CurrentWorksheet()->Count(), rows);
  EXPECT_EQ(Cell(0, 0), "");
}

TEST_F(CommandTest, GoWithoutANumberOnlyTellsTheUser) {
  Start();
  QTest::mouseClick(Child<QPushButton>("ButtonGo"), Qt::LeftButton);
  ASSERT_EQ(platform.MessageTexts().size(), 1u);
  EXPECT_EQ(platform.MessageTexts()[0], "Please enter a number before pressing the Go button.");
  EXPECT_EQ(platform.shown().back().icon, MessageIcon::None);
  EXPECT_FALSE(Modified());
}

TEST_F(CommandTest, HelpAndWebPagesGoThroughThePlatform) {
  Start();
  Run("MenuHelpTopics");
  Run("MenuCompanyHomepage");
  Run("MenuProductHomepage");
  ASSERT_EQ(platform.shown().size(), 3u);
  EXPECT_EQ(platform.shown()[0].kind, "help");
  EXPECT_EQ(platform.shown()[1].kind, "url");
  EXPECT_EQ(platform.shown()[2].kind, "url");
  EXPECT_NE(platform.shown()[1].text, platform.shown()[2].text);
}

// Without a desktop icon theme the stand-in serves by the standard names; a
// picture it lacks is still drawn; a desktop's own theme is left alone.
TEST(CommandIcons, ComeFromTheDesktopsThemeOrTheStandInByTheirStandardNames) {
  TempDir dir;
  const QString theme = QString::fromStdString(dir.path()) + QLatin1String(kFallbackIconTheme);
  ASSERT_TRUE(QDir().mkpath(theme + "/16x16/actions"));
  dir.Write(std::string(kFallbackIconTheme) + "/index.theme",
            "[Icon Theme]\nName=Stand-in\nDirectories=16x16/actions\n\n[16x16/actions]\nSize=16\nType=Fixed\n");
  QPixmap picture(16, 16);
  picture.fill(Qt::darkGreen);
  ASSERT_TRUE(picture.save(theme + "/16x16/actions/document-new.png"));
  ASSERT_TRUE(picture.save(theme + "/16x16/actions/edit-find.png"));
  const QStringList paths = QIcon::themeSearchPaths();
  const QString desktopTheme = QIcon::themeName();
  const QString fallback = QIcon::fallbackThemeName();
  QIcon::setThemeSearchPaths({QString::fromStdString(dir.path())});

  QIcon::setThemeName(QString());
  UseDesktopIconTheme();
  EXPECT_EQ(QIcon::themeName(), kFallbackIconTheme);
  EXPECT_EQ(CommandIcon(CommandImage::NewWorksheet).name(), "document-new");
  EXPECT_FALSE(CommandIcon(CommandImage::Dictionary).isNull());
  // Find Again has no name of its own: the theme's Find, marked.
  const QImage again = CommandIcon(CommandImage::FindAgain).pixmap(16, 16).toImage();
  EXPECT_EQ(again.pixelColor(1, 1), QColor(Qt::darkGreen));
  EXPECT_NE(again.pixelColor(13, 13), QColor(Qt::darkGreen));

  QIcon::setThemeName("desktop");
  UseDesktopIconTheme();
  EXPECT_EQ(QIcon::themeName(), "desktop");

  QIcon::setThemeSearchPaths(paths);
  QIcon::setThemeName(desktopTheme);
  QIcon::setFallbackThemeName(fallback);
}

// --- the keyboard tables of the README and the help ------------------------------

// One row of a keyboard table: the keys, and what they do.
struct KeyRow {
  std::string keys, command;
};

std::string SourceFile(const char* path) {
  std::ifstream file(std::string(TQ_SOURCE_DIR) + path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  EXPECT_FALSE(text.str().empty()) << path;
  return text.str();
}

// The table under the README's "### Keyboard", without its heading rows.
std::vector<KeyRow> ReadmeKeyRows() {
  std::vector<KeyRow> rows;
  std::istringstream text(SourceFile("README.md"));
  std::string line;
  while (std::getline(text, line) && line != "### Keyboard") {}
  while (std::getline(text, line) && (line.empty() || line[0] == '|')) {
    const auto bar = line.find(" | ");
    if (bar != std::string::npos && line.find("---") == std::string::npos && line.rfind("| Keys |", 0) != 0)
      rows.push_back({line.substr(2, bar - 2), line.substr(bar + 3, line.size() - bar - 5)});
  }
  return rows;
}

// The help's tables of keys and commands (its table of dialogs has three
// columns and names no menu command).
std::vector<KeyRow> HelpKeyRows() {
  std::vector<KeyRow> rows;
  const std::string html = SourceFile("resources/help/shortcuts.html");
  const std::regex row("<tr><td>([^<]*)</td><td>((?:(?!</td>).)*)</td></tr>"), tag("<[^>]*>");
  for (std::sregex_iterator it(html.begin(), html.end(), row), end; it != end; ++it)
    rows.push_back({(*it)[1], std::regex_replace((*it)[2].str(), tag, "")});
  return rows;
}

// "a, b or c" as its items; with `most`, in at most that many, the last
// keeping the rest of the text.
std::vector<std::string> ListItems(const std::string& text, size_t most = 0) {
  std::vector<std::string> items;
  size_t from = 0;
  const std::regex separator(", | or ");
  std::smatch match;
  while ((most == 0 || items.size() + 1 < most) &&
         std::regex_search(text.begin() + from, text.end(), match, separator)) {
    items.push_back(text.substr(from, match.position(0)));
    from += match.position(0) + match.length(0);
  }
  items.push_back(text.substr(from));
  return items;
}

std::vector<std::string> Words(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  std::vector<std::string> words;
  const std::regex word("[a-z]+");
  for (std::sregex_iterator it(text.begin(), text.end(), word), end; it != end; ++it) words.push_back(it->str());
  return words;
}

const TMenuCommand* CommandWithKey(const QKeySequence& key) {
  for (const TMenuCommand& command : MenuCommands())
    if (CommandKeys(command).contains(key)) return &command;
  return nullptr;
}

// The command whose name ("Find Again" for "Find &Again") the text names
// best: the most of its words, then the fewest left out; null when none or
// two name it equally well.
const TMenuCommand* CommandNamedIn(const std::string& text) {
  const std::vector<std::string> said = Words(text);
  const TMenuCommand* best = nullptr;
  std::pair<int, int> bestScore{0, 0};
  bool tie = false;
  for (const TMenuCommand& command : MenuCommands()) {
    if (CommandKeys(command).isEmpty()) continue;
    std::pair<int, int> score{0, 0};
    for (const std::string& word : Words(QString::fromLatin1(command.caption).remove('&').toStdString()))
      (std::find(said.begin(), said.end(), word) != said.end() ? score.first : score.second) += 1;
    score.second = -score.second;
    if (score.first > 0 && (!best || score > bestScore)) {
      best = &command, bestScore = score, tie = false;
    } else if (best && score == bestScore) {
      tie = true;
    }
  }
  return tie ? nullptr : best;
}

// Every key of the menus is in the README's and the help's keyboard tables,
// named with its command ("Ctrl+R, Ctrl+T | random phrase, edit phrase": the
// commands in the order of the keys), and every key those tables give a
// command of the menus is that command's. Keys of no menu command (Enter in
// Number, Tab in the word lists) are left alone, but a Ctrl, Alt or function
// key must be a command's.
TEST(CommandKeys, AreTheKeysTheReadmeAndTheHelpName) {
  for (const auto& [document, rows] : {std::pair{"README.md", ReadmeKeyRows()}, {"shortcuts.html", HelpKeyRows()}}) {
    ASSERT_GT(rows.size(), 10u) << document;
    std::set<const TMenuCommand*> named;
    for (const KeyRow& row : rows) {
      const std::vector<std::string> keyItems = ListItems(row.keys);
      const std::vector<std::string> commandItems = ListItems(row.command, keyItems.size());
      for (size_t i = 0; i < keyItems.size(); ++i) {
        const QString name = QString::fromStdString(keyItems[i].substr(0, keyItems[i].find(' ')));
        const QKeySequence key = QKeySequence::fromString(name, QKeySequence::PortableText);
        const QKeyCombination chord = key.isEmpty() ? QKeyCombination() : key[0];
        const TMenuCommand* command = CommandWithKey(key);
        if (!command) {
          EXPECT_TRUE((chord.keyboardModifiers() & ~Qt::ShiftModifier) == 0 &&
                      !(chord.key() >= Qt::Key_F1 && chord.key() <= Qt::Key_F35))
              << document << ": no menu command has the key " << keyItems[i];
          continue;
        }
        named.insert(command);
        const std::string said = i < commandItems.size() ? commandItems[i] : "";
        const TMenuCommand* meant = CommandNamedIn(said);
        EXPECT_EQ(meant, command) << document << ": " << keyItems[i] << " is " << command->name << ", the table says '"
                                  << said << "' (" << (meant ? meant->name : "no command") << ")";
      }
    }
    for (const TMenuCommand& command : MenuCommands())
      EXPECT_TRUE(CommandKeys(command).isEmpty() || named.count(&command)) << document << " lacks " << command.name;
  }
}

}  // namespace
}  // namespace tq::test
