#include "ui/qt/statistics_window.h"

#include <QChart>
#include <QChartView>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QTableWidget>
#include <QValueAxis>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "platform/numbers.h"
#include "records/record_totals.h"
#include "ui/main_form_texts.h"
#include "ui/qt/statistics_texts.h"
#include "ui/qt/translated.h"

namespace ui::qt {

namespace texts = statistics_texts;

namespace {

constexpr std::array<const char*, 9> kTotalsNames = {"races",       "races_bet",  "hits",
                                                      "hit_rate",    "staked",     "paid",
                                                      "return_rate", "best_payout", "highest_odds_hit"};
constexpr std::array<records::Bettor, 2> kBettors = {records::Bettor::Player, records::Bettor::Mascot};
constexpr std::array<const char*, 2> kBettorNames = {"player", "mascot"};
constexpr int kNoLane = 6;

// A step between labels of 1, 2 or 5 times a power of ten that spans
// `span` in at most `steps` steps: whole, round numbers, readable at a glance.
qreal RoundStep(qreal span, int steps) {
  for (qreal power = 1;; power *= 10) {
    for (qreal step : {power, 2 * power, 5 * power}) {
      if (span <= step * steps) return step;
    }
  }
}
constexpr int kRaceSteps = 8;
constexpr int kPurseSteps = 5;

// Numbers as plain decimal in every language; the words around them translated.
QString Money(std::int64_t amount) { return Translated(platform::Text(texts::kMoney).Arg(amount)); }
QString Percent(double fraction) { return QString::number(fraction * 100, 'f', 1) + "%"; }
QString Odds(float odds) { return Translated(platform::Text(ui::kOddsCaption).Arg(platform::SingleText(odds))); }
QString None() { return Translated(ui::kNoLaneMark); }
QString Lane(int lane) { return lane >= 0 && lane < kNoLane ? QString::number(lane + 1) : None(); }

std::array<QString, 9> TotalsTexts(const records::BettorTotals& t) {
  return {QString::number(t.races),
          QString::number(t.races_bet),
          QString::number(t.hits),
          t.races_bet > 0 ? Percent(t.hit_rate()) : None(),
          Money(t.staked),
          Money(t.paid),
          t.staked > 0 ? Percent(t.return_rate()) : None(),
          Money(t.best_payout),
          t.hits > 0 ? Odds(t.highest_odds_hit) : None()};
}

}  // namespace

StatisticsWindow::StatisticsWindow(records::RecordsView& store, platform::MessageBoxes& boxes)
    : store_(store), boxes_(boxes) {
  setObjectName("StatisticsWindow");
  setWindowTitle(Translated(texts::kTitle));
  auto* layout = new QVBoxLayout(this);

  auto* totals = new QGridLayout;
  for (std::size_t bettor = 0; bettor < kBettors.size(); ++bettor) {
    totals->addWidget(new QLabel(Translated(bettor == 0 ? texts::kPlayer : texts::kMascot)), 0, static_cast<int>(bettor) + 1,
                      Qt::AlignRight);
  }
  for (std::size_t row = 0; row < texts::kTotalsRows.size(); ++row) {
    totals->addWidget(new QLabel(Translated(texts::kTotalsRows[row])), static_cast<int>(row) + 1, 0);
    for (std::size_t bettor = 0; bettor < kBettors.size(); ++bettor) {
      auto* value = new QLabel;
      value->setObjectName(QString("%1_%2").arg(kBettorNames[bettor], kTotalsNames[row]));
      value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
      value->setTextInteractionFlags(Qt::TextSelectableByMouse);
      totals->addWidget(value, static_cast<int>(row) + 1, static_cast<int>(bettor) + 1);
      totals_[bettor][row] = value;
    }
  }
  totals->setColumnStretch(3, 1);
  layout->addLayout(totals);

  status_ = new QLabel;
  status_->setObjectName("status");
  layout->addWidget(status_);

  auto* chart = new QChart;
  chart->setTitle(Translated(texts::kChartTitle));
  player_purse_ = new QLineSeries;
  player_purse_->setName(Translated(texts::kPlayer));
  mascot_purse_ = new QLineSeries;
  mascot_purse_->setName(Translated(texts::kMascot));
  chart->addSeries(player_purse_);
  chart->addSeries(mascot_purse_);
  races_axis_ = new QValueAxis;
  races_axis_->setTitleText(Translated(texts::kChartRaces));
  races_axis_->setLabelFormat("%d");
  races_axis_->setTickType(QValueAxis::TicksDynamic);
  races_axis_->setTickAnchor(0);
  purse_axis_ = new QValueAxis;
  purse_axis_->setTitleText(Translated(texts::kChartPurse));
  purse_axis_->setLabelFormat("%d");
  purse_axis_->setTickType(QValueAxis::TicksDynamic);
  purse_axis_->setTickAnchor(0);
  chart->addAxis(races_axis_, Qt::AlignBottom);
  chart->addAxis(purse_axis_, Qt::AlignLeft);
  for (QLineSeries* series : {player_purse_, mascot_purse_}) {
    series->attachAxis(races_axis_);
    series->attachAxis(purse_axis_);
  }
  auto* chart_view = new QChartView(chart);
  chart_view->setObjectName("purse_chart");
  chart_view->setRenderHint(QPainter::Antialiasing);
  chart_view->setMinimumSize(560, 260);
  layout->addWidget(chart_view, 1);

  layout->addWidget(new QLabel(Translated(texts::kLastRaces)));
  table_ = new QTableWidget(0, static_cast<int>(texts::kTableColumns.size()));
  table_->setObjectName("last_races");
  QStringList headers;
  for (const platform::TextId& column : texts::kTableColumns) headers << Translated(column);
  table_->setHorizontalHeaderLabels(headers);
  table_->verticalHeader()->setVisible(false);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table_->setMinimumHeight(200);
  layout->addWidget(table_, 1);

  auto* buttons = new QHBoxLayout;
  clear_ = new QPushButton(Translated(texts::kClear));
  clear_->setObjectName("clear");
  auto* close = new QPushButton(Translated(texts::kClose));
  close->setObjectName("close");
  buttons->addWidget(clear_);
  buttons->addStretch(1);
  buttons->addWidget(close);
  layout->addLayout(buttons);
  connect(clear_, &QPushButton::clicked, this, [this] { AskToClear(); });
  connect(close, &QPushButton::clicked, this, &QWidget::close);

  // A race settled while the window is open shows at once; a hidden window
  // reads the records when it is shown.
  store_.SetOnChange([this] {
    if (isVisible()) Refresh();
  });
}

StatisticsWindow::~StatisticsWindow() { store_.SetOnChange(nullptr); }

void StatisticsWindow::Open() {
  show();
  raise();
  activateWindow();
}

void StatisticsWindow::showEvent(QShowEvent* event) {
  Refresh();
  QWidget::showEvent(event);
}

void StatisticsWindow::Refresh() {
  const records::KeptRaces read = store_.Races();
  const std::vector<records::KeptRace>& kept = read.races;
  std::vector<platform::SettledRace> races;
  races.reserve(kept.size());
  for (const records::KeptRace& race : kept) races.push_back(race.race);

  for (std::size_t bettor = 0; bettor < kBettors.size(); ++bettor) {
    std::array<QString, 9> values = TotalsTexts(records::TotalsOf(races, kBettors[bettor]));
    for (std::size_t row = 0; row < values.size(); ++row) totals_[bettor][row]->setText(values[row]);
  }
  // Records off, or rows that did not read back: one line says which.
  const auto left_out = static_cast<std::int64_t>(read.left_out);
  status_->setText(Translated(store_.keeping() ? platform::Text(texts::kLeftOut).Arg(left_out) : texts::kRecordsOff));
  status_->setVisible(!store_.keeping() || read.left_out > 0);
  clear_->setEnabled(store_.keeping() && !races.empty());

  QList<QPointF> player;
  QList<QPointF> mascot;
  std::int32_t highest = 0;
  for (std::size_t i = 0; i < races.size(); ++i) {
    const auto x = static_cast<qreal>(i + 1);
    player.append({x, static_cast<qreal>(races[i].player.purse_after)});
    mascot.append({x, static_cast<qreal>(races[i].mascot.purse_after)});
    highest = std::max({highest, races[i].player.purse_after, races[i].mascot.purse_after});
  }
  player_purse_->replace(player);
  mascot_purse_->replace(mascot);
  races_axis_->setRange(1, std::max<qreal>(2, static_cast<qreal>(races.size())));
  races_axis_->setTickInterval(RoundStep(static_cast<qreal>(races.size()), kRaceSteps));
  // A little room above the highest purse, up to the next labelled step.
  const qreal top = std::max(100.0, highest * 1.05);
  const qreal purse_step = RoundStep(top, kPurseSteps);
  purse_axis_->setTickInterval(purse_step);
  purse_axis_->setRange(0, std::ceil(top / purse_step) * purse_step);

  const auto shown = static_cast<int>(std::min<std::size_t>(kept.size(), kLastRaces));
  table_->setRowCount(shown);
  for (int row = 0; row < shown; ++row) {
    const records::KeptRace& race = kept[kept.size() - 1 - static_cast<std::size_t>(row)];
    const platform::SettledRace& r = race.race;
    const bool has_winner = r.arrivals > 0;
    const QString race_no = Translated(platform::Text(r.stopped ? texts::kRaceNoStopped : texts::kRaceNo).Arg(r.race_no));
    const std::array<QString, 7> cells = {
        race_no,
        QString::fromStdString(race.recorded_at),
        has_winner ? Lane(r.winner()) : None(),
        has_winner ? Odds(r.odds[static_cast<std::size_t>(r.winner())]) : None(),
        Lane(r.player.lane),
        r.player.lane < kNoLane ? Money(r.player.stake) : None(),
        r.player.lane < kNoLane ? Money(r.player.payout) : None()};
    for (std::size_t column = 0; column < cells.size(); ++column) {
      auto* item = new QTableWidgetItem(cells[column]);
      if (column != 1) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      table_->setItem(row, static_cast<int>(column), item);
    }
  }
}

void StatisticsWindow::AskToClear() {
  using platform::MessageBoxes;
  // Yes forgets every race: a box nobody answers keeps them.
  const int style = MessageBoxes::kYesNo | MessageBoxes::kNoIsSafe;
  if (boxes_.Show(texts::kClearQuestion, style, texts::kTitle) != MessageBoxes::kReplyYes) return;
  store_.Clear();
  Refresh();
}

}  // namespace ui::qt
