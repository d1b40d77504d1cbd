#include "app/main_form.h"

#include "app/module1.h"
#include "history/history_store.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/fonts.h"
#include "platform/notifier.h"
#include "platform/random.h"
#include "platform/timer.h"
#include "puzzle/puzzle_set.h"
#include "view/labels.h"
#include "view/window_keys.h"
#include "store/line_file.h"
#include "store/record_file.h"
#include "view/board.h"
#include "view/image_button.h"
#include "view/picture_box.h"
#include "view/stored_art.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStandardItemModel>
#include <QTimer>

namespace {

const QColor kFormColor(0, 140, 214);
const QColor kLabelBlue(41, 8, 231);
const QColor kCaptionGreen(198, 255, 0);
const QColor kQuestionRule(115, 214, 255);

// The play field's labels: the pointer goes through them to the field.
QLabel* gameLabel(QWidget* parent, QRect geometry, QColor color, Qt::Alignment alignment, const QFont& font)
{
    QLabel* label = makeLabel(parent, geometry, font, alignment, color);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

QRadioButton* makeOption(QGroupBox* frame, const QString& caption, QRect geometry)
{
    auto* option = new QRadioButton(caption, frame);
    option->setGeometry(geometry);
    return option;
}

QGroupBox* makeFrame(QWidget* parent, const QString& caption, QRect geometry)
{
    auto* frame = new QGroupBox(caption, parent);
    frame->setGeometry(geometry);
    frame->setFlat(false);
    return frame;
}

} // namespace

Main::Main(Module1& module, Services services, const GameFolders& folders, std::future<GameDataLoad> loading,
           QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      m_module(module), m_services(services), m_appDir(folders.files), m_recordsDir(folders.records),
      m_recordsProblem(folders.recordsProblem), m_portable(folders.portable), m_loading(std::move(loading))
{
    if (!m_services.timers) {
        m_ownTimers = std::make_unique<QtTimerSource>();
        m_services.timers = m_ownTimers.get();
    }
    setWindowTitle(QStringLiteral("Tazumeki"));
    setFixedSize(340, 667);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kFormColor);
    palette.setColor(QPalette::WindowText, Qt::white);
    setPalette(palette);
    setAutoFillBackground(true);
    setFont(windowsFont(kPGothic, 9));
    setAcceptDrops(true); // a set of the player's own, dropped from the file manager

    createControls();
    Form_Load();

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

Main::~Main()
{
    // Surfaces go in the reverse order of their making.
    ResetDIB(StripSurface);
    for (auto& back : BackSurface) {
        ResetDIB(back);
    }
    ResetDIB(BoardSurface);
}

void Main::createControls()
{
    Picture4 = new PictureBox(this, QRect(0, 0, 342, 543), QColor(0, 66, 140));
    // The board's background is never cleared back to: made again if it is, not kept.
    Picture4->setPicture([ratio = Picture4->ratio()] { return art::stored(art::Piece::PlayField, ratio); });
    Picture9.setPicture(art::stored(art::Piece::EmptyTile, Picture9.ratio()));
    Picture11.setPicture(art::stored(art::Piece::BlankTile, Picture11.ratio()));
    Picture10.setPicture(art::stored(art::Piece::PlayerTile, Picture10.ratio()));
    Picture13.setPicture(art::stored(art::Piece::CpuTile, Picture13.ratio()));
    Picture1.setPicture(art::stored(art::Piece::ExplosionStrip, Picture1.ratio()));

    Frame3 = makeFrame(this, QStringLiteral("モード選択"), QRect(16, 536, 225, 57));
    Option5 = makeOption(Frame3, QStringLiteral("シングル練習"), QRect(16, 16, 97, 17));
    Option6 = makeOption(Frame3, QStringLiteral("CPU対戦　→"), QRect(16, 32, 97, 17));
    Combo2 = new QComboBox(Frame3);
    Combo2->setGeometry(112, 32, 105, 20);

    Frame1 = makeFrame(this, QStringLiteral("パターン選択"), QRect(16, 600, 137, 57));
    Option1 = makeOption(Frame1, QStringLiteral("自動（ランダム）"), QRect(16, 16, 105, 17));
    Option2 = makeOption(Frame1, QStringLiteral("手動　　→"), QRect(16, 32, 105, 17));
    Combo1 = new QComboBox(Frame1);
    Combo1->setGeometry(88, 32, 41, 20);

    Frame2 = makeFrame(this, QStringLiteral("問題表示"), QRect(168, 600, 73, 57));
    Option3 = makeOption(Frame2, QStringLiteral("有り"), QRect(8, 16, 57, 17));
    Option4 = makeOption(Frame2, QStringLiteral("無し"), QRect(8, 32, 49, 17));

    Option5->setChecked(true);
    Option1->setChecked(true);
    Option3->setChecked(true);
    connect(Option1, &QRadioButton::toggled, this, [this](bool on) { if (on) Option1_Click(); });
    connect(Option2, &QRadioButton::toggled, this, [this](bool on) { if (on) Option2_Click(); });
    connect(Option5, &QRadioButton::toggled, this, [this](bool on) { if (on) Option5_Click(); });
    connect(Option6, &QRadioButton::toggled, this, [this](bool on) { if (on) Option6_Click(); });

    Picture5 = new ImageButton(this, QPoint(256, 552), m_appDir, art::stored(art::Piece::StartButton, pictureRatio()));
    Picture6 = new ImageButton(this, QPoint(256, 584), m_appDir, art::stored(art::Piece::RecordButton, pictureRatio()),
                               ButtonFace::named(QStringLiteral("record")));
    Picture7 = new ImageButton(this, QPoint(256, 616), m_appDir, art::stored(art::Piece::CloseButton, pictureRatio()),
                               ButtonFace::named(QStringLiteral("close")));
    connect(Picture5, &ImageButton::mouseDown, this, &Main::Picture5_MouseDown);
    connect(Picture5, &ImageButton::mouseMove, this, &Main::Picture5_MouseMove);
    connect(Picture5, &ImageButton::mouseUp, this, &Main::Picture5_MouseUp);
    connect(Picture6, &ImageButton::mouseUp, this, &Main::Picture6_MouseUp);
    connect(Picture7, &ImageButton::mouseUp, this, &Main::Picture7_MouseUp);
    connect(Picture5, &ImageButton::pressCancelled, this, [this] {
        Picture5->Pressed.clear();
        Form_MouseMove();
    });
    setMouseTracking(true);

    Text1 = new AnswerBox(Picture4);
    Text1->onKeyDown = [this](int keyCode) { Text1_KeyDown(keyCode); };
    Text1->setGeometry(32, 432, 84, 18);
    {
        QPalette palette = Text1->palette();
        palette.setColor(QPalette::Base, QColor(255, 255, 192));
        palette.setColor(QPalette::Text, Qt::black);
        Text1->setPalette(palette);
    }
    Text1->setFrame(true);
    Text1->setTextMargins(0, 0, 0, 0);
    KanaIndicator = gameLabel(Picture4, QRect(120, 432, 16, 18), kCaptionGreen, Qt::AlignCenter,
                              windowsFont(kPGothic, 9, true));
    connect(Text1, &AnswerBox::kindChanged, this, &Main::showKanaIndicator);
    PaceLabel = gameLabel(Picture4, QRect(138, 420, 48, 18), QColor(198, 255, 0), Qt::AlignRight | Qt::AlignVCenter,
                          windowsFont(kGothic, 11.25, true));
    {
        QPalette palette = KanaIndicator->palette();
        palette.setColor(QPalette::Window, QColor(230, 0, 40));
        KanaIndicator->setPalette(palette);
    }
    m_markFlash.setSingleShot(true);
    m_markFlash.setInterval(600);
    connect(&m_markFlash, &QTimer::timeout, this, &Main::showKanaIndicator);

    Command2 = new QPushButton(QStringLiteral("答え"), Picture4);
    Command2->setGeometry(24, 464, 33, 17);
    Command2->setFont(windowsFont(kPGothic, 8.25));
    Command3 = new QPushButton(QStringLiteral("問題"), Picture4);
    Command3->setGeometry(24, 488, 33, 17);
    Command3->setFont(windowsFont(kPGothic, 8.25));
    for (QPushButton* button : {Command2, Command3}) {
        setTextColor(button, Qt::black);
        button->setAutoDefault(false);
    }

    Picture12 = new PictureBox(Picture4, QRect(64, 464, 265, 65), Qt::white);
    {
        QImage ruled = ratioImage(Picture12->size(), Picture12->ratio(), Qt::white);
        QPainter painter(&ruled);
        painter.setPen(kQuestionRule);
        painter.drawLine(0, 13, 96, 13);
        painter.drawLine(0, 32, 256, 32);
        painter.drawLine(0, 48, 256, 48);
        painter.end();
        Picture12->setPicture(ruled);
    }
    const QFont labelFont = windowsFont(kPGothic, 9);
    Label2 = gameLabel(Picture12, QRect(8, 0, 81, 17), kLabelBlue, Qt::AlignLeft, labelFont);
    for (int i = 0; i < 3; ++i) {
        Label3[i] = gameLabel(Picture12, QRect(8, 19 + 16 * i, 249, 17), kLabelBlue, Qt::AlignLeft, labelFont);
    }

    Picture3 = new PictureBox(Picture4, QRect(40, 85, 265, 17), QColor(0, 66, 140));
    Label1 = gameLabel(Picture3, QRect(0, 0, 257, 17), kCaptionGreen, Qt::AlignHCenter, windowsFont(kPGothic, 11.25, true));
    Label4 = gameLabel(Picture4, QRect(192, 414, 89, 25), kCaptionGreen, Qt::AlignRight, windowsFont(kGothic, 20.25));
    // The red digit sits under the yellow one, two pixels lower, as its shadow.
    // Centred both ways: the pop font's line is taller than the 49-pixel label, its digits are not.
    Label6 = gameLabel(Picture4, QRect(152, 232, 49, 49), QColor(255, 0, 0), Qt::AlignCenter, windowsFont(kPopStyle, 36));
    Label5 = gameLabel(Picture4, QRect(152, 230, 49, 49), QColor(255, 255, 0), Qt::AlignCenter,
                       windowsFont(kPopStyle, 39.75, true));

    Picture2 = new PictureBox(Picture4, QRect(248, 8, 97, 33), QColor(16, 165, 247));
    Picture14 = new PictureBox(Picture4, QRect(176, 56, 161, 17), QColor(0, 74, 156));

    for (auto& bar : Picture8) {
        bar = new QWidget(Picture4);
        bar->setAutoFillBackground(true);
        QPalette palette = bar->palette();
        palette.setColor(QPalette::Window, QColor(255, 0, 0));
        bar->setPalette(palette);
        bar->hide();
    }

    connect(Command2, &QPushButton::clicked, this, &Main::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Main::Command3_Click);
    for (QPushButton* button : {Command2, Command3}) {
        button->setFocusPolicy(Qt::NoFocus); // the answer box keeps the keyboard
    }

    Timer1 = m_services.timers->newTimer(this);
    Timer2 = m_services.timers->newTimer(this);
    Timer3 = m_services.timers->newTimer(this);
    Timer4 = m_services.timers->newTimer(this);
    connect(Timer1, &Timer::tick, this, &Main::Timer1_Timer);
    connect(Timer2, &Timer::tick, this, &Main::Timer2_Timer);
    connect(Timer3, &Timer::tick, this, &Main::Timer3_Timer);
    connect(Timer4, &Timer::tick, this, &Main::Timer4_Timer);
    m_session = std::make_unique<GameSession>(m_module.puzzles, m_services.clock, m_services.random, *Timer4, *Timer1, this);
    watchSession();

    // Key preview: the screen sees Enter, Esc and its shortcuts before the control that has the focus.
    m_keys = WindowKeys::install(this, [this](QKeyEvent* event) { return previewKey(event); });
    m_keys->showsOwnFocus(Text1); // its frame and caret say it already

    // The answer box comes first in the tab order and takes the focus.
    orderFocus();
    nameControls();
    Text1->setFocus();
}

void Main::Form_Load()
{
    m_services.random.seed(static_cast<quint64>(m_services.clock.nowMs()));

    if (m_recordsDir.isEmpty()) {
        // Said once here, not at every game's end.
        m_historyWarned = true;
        warnLater(QStringLiteral("記録の保存先"),
                  QStringLiteral("記録を保存するフォルダーを用意できませんでした（%1）。\n"
                                 "このまま遊べますが、記録とプレイ履歴は保存されません。")
                      .arg(m_recordsProblem));
    }
    const GameDataLoad data =
        m_loading.valid() ? m_loading.get() : loadGameData(m_services.seq, m_appDir, m_recordsDir, m_module);
    useGameData(data);

    m_session->holdForTitle();

    BoardSurface = SetDIB(Picture4->image());
    ShowTitle();

    Combo1->setEnabled(false);
    Combo2->setEnabled(false);

    FillRankTable(m_module.ranks);
    for (const QString& name : m_module.ranks.RankName) {
        Combo2->addItem(name);
    }
    Combo2->addItem(kRaceRankName); // your own fastest game, after the nine ranks
    Combo2->setCurrentIndex(0);
    connect(Combo2, &QComboBox::currentIndexChanged, this, &Main::raceChosen);

    const int title = PuzzleSet::kTitlePattern;
    for (int word = 0; word <= m_module.puzzles.lastSlot(title); ++word) {
        DrawWordBlank(title, word);
    }
    Picture4->Refresh();

    Timer2->setInterval(400);
    TitleStep = 1;

    StripSurface = SetDIB(Picture1.image());
    for (std::size_t i = 0; i < BackSurface.size(); ++i) {
        BackSurface[i] = CreateDIB(board::kEffectSize, board::kEffectSize, Picture4->ratio());
        BackDC[i] = &GetTransDC(*BackSurface[i]);
    }
}

bool Main::singlePractice() const
{
    return Option5->isChecked();
}

void Main::ClearBoard()
{
    // A burst still running would paint the old board back over the cleared
    // one; its last frame must not stay in the gaps between the tiles either.
    finishExplosion();
    ::ClearBoard(*Picture4, Picture9);
}

void Main::DrawWordBlank(int pattern, int word)
{
    ::DrawWordBlank(*Picture4, Picture11, boardCells(m_module.puzzles, pattern, word));
}

void Main::DrawWordLetters(int pattern, int word, PictureImage& tile)
{
    ::DrawWordLetters(*Picture4, tile, m_module.puzzles.WordAnswer[pattern][word], boardCells(m_module.puzzles, pattern, word));
}

void Main::warnAboutRecords(const RecordLoad& load, const QString& file)
{
    if (!load.notAFile.isEmpty()) {
        m_blockedSaves.insert(file);
        warnLater(QStringLiteral("記録の読み込み"),
                  QStringLiteral("記録ファイルを読み書きしません：%1。\n"
                                 "そのままにしてあり、この実行中は記録を %2 に保存しません。"
                                 "通常のファイルに置き換えると元に戻ります。")
                      .arg(load.notAFile, file));
        return;
    }
    if (!load.orphan.isEmpty()) {
        warnLater(QStringLiteral("記録の読み込み"),
                  QStringLiteral("記録ファイル %1 がありません。以前の記録は %2 に残してあります。\n"
                                 "新しい記録は %1 に保存されます。")
                      .arg(file, QDir::toNativeSeparators(load.orphan)));
        return;
    }
    if (!load.damaged) {
        return;
    }
    QString kept = load.keptAs.isEmpty()
                       ? QStringLiteral("元のファイルを別名で残せませんでした。")
                       : QStringLiteral("元のファイルは %1 として残してあります。").arg(QFileInfo(load.keptAs).fileName());
    if (load.saveBlocked) {
        // Writing over a file that could not be put aside would lose it for good.
        m_blockedSaves.insert(file);
        kept += QStringLiteral("\n元の記録を消さないよう、この実行中は %1 に記録を保存しません。").arg(file);
    }
    warnLater(QStringLiteral("記録の読み込み"),
              QStringLiteral("記録ファイル %1 の一部が読めませんでした（%2）。\n読めた記録だけを使います。%3")
                  .arg(file, load.problem, kept));
}

void Main::warnLater(const QString& title, const QString& text)
{
    QTimer::singleShot(0, this, [this, title, text] { m_services.notifier.warn(title, text); });
}

void Main::informLater(const QString& title, const QString& text)
{
    QTimer::singleShot(0, this, [this, title, text] { m_services.notifier.inform(title, text); });
}

void Main::tellAboutRecordsFolder(const QStringList& copied, bool bothHoldRecords, const QString& lockProblem)
{
    const QString records = QDir::toNativeSeparators(m_recordsDir);
    const QString portable = QDir::toNativeSeparators(m_portable);
    m_portableHoldsRecords = bothHoldRecords || !copied.isEmpty();
    if (!copied.isEmpty()) {
        informLater(QStringLiteral("記録の保存先"),
                    QStringLiteral("ゲームのフォルダー %1 に書き込めないため、記録（%2）を %3 にコピーしました。\n"
                                   "これからの記録はそこに保存します。元の記録はそのまま残っています。")
                        .arg(portable, copied.join(QStringLiteral("、")), records));
    }
    if (!lockProblem.isEmpty()) {
        warnLater(QStringLiteral("記録の保存先"),
                  QStringLiteral("%1。そのままにしてありますが、このままでは二つ目の Tazumeki の起動を防げず、"
                                 "記録が上書きされることがあります。%2 を削除してください。")
                      .arg(lockProblem, QDir::toNativeSeparators(QDir(m_recordsDir).filePath(QStringLiteral("tazumeki.lock")))));
    }
}

QString Main::recordsPlaceText() const
{
    if (m_recordsDir.isEmpty()) {
        return QStringLiteral("記録は保存されません（%1）").arg(m_recordsProblem);
    }
    QString text = QStringLiteral("記録の保存先：%1")
                       .arg(QDir::toNativeSeparators(m_setRecordsDir.isEmpty() ? m_recordsDir : m_setRecordsDir));
    if (m_portableHoldsRecords) {
        text += QStringLiteral("（以前の記録はゲームのフォルダー %1 にもあります）").arg(QDir::toNativeSeparators(m_portable));
    }
    return text;
}

void Main::Option1_Click()
{
    Combo1->setEnabled(false);
}

void Main::Option2_Click()
{
    Combo1->setEnabled(true);
}

void Main::Option5_Click()
{
    Combo2->setEnabled(false);
}

void Main::Option6_Click()
{
    Combo2->setEnabled(true);
}
