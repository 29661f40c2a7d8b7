#include "app/dialogs/ListDialog.h"

#include "app/main/Appearance.h"
#include "app/main/KeyCodes.h"
#include "util/Cp1253.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QPainter>
#include <QScreen>
#include <QStringListModel>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <algorithm>

namespace karvo {

namespace {

constexpr int kHeaderHeight = 30;
constexpr int kListFrame = 2; // sunken border on each side: the "+ 4" of the height rule

// Lines exactly one text line high, drawn without the style's padding, so that the height rule
// (lines × height of "A" + 4) shows every line; the scroll extent is the widest line + half an "A".
class LineDelegate : public QStyledItemDelegate
{
public:
    LineDelegate(QSize lineSize, QObject* parent)
        : QStyledItemDelegate(parent)
        , m_lineSize(lineSize)
    {
    }

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override { return m_lineSize; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const bool selected = option.state & QStyle::State_Selected;
        if (selected) {
            painter->fillRect(option.rect, option.palette.highlight());
        }
        painter->setPen(selected ? option.palette.highlightedText().color() : option.palette.text().color());
        painter->setFont(option.font);
        painter->drawText(option.rect.adjusted(1, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, index.data().toString());
    }

private:
    QSize m_lineSize;
};

} // namespace

ListDialog::ListDialog(const std::string& caption, const std::vector<std::string>& items, const std::string& keys,
                       bool tableMode, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint)
    , m_allowed(AllowedKeys(keys))
{
    setObjectName(QStringLiteral("ListDialog"));
    const std::size_t split = caption.find('\x01');
    setWindowTitle(ToQString(caption.substr(0, split)));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, colours::listBlue);
    setPalette(palette);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    const bool hasHeader = split != std::string::npos;
    if (hasHeader) {
        auto* header = new QLabel(ToQString(caption.substr(split + 1)), this);
        header->setObjectName(QStringLiteral("header"));
        header->setFixedHeight(kHeaderHeight);
        header->setFont(tableMode ? FixedPointFont(10) : SansPointFont(10));
        header->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        header->setAutoFillBackground(true);
        QPalette yellow = header->palette();
        yellow.setColor(QPalette::Window, colours::yellow);
        header->setPalette(yellow);
        layout->addWidget(header);
    }

    QStringList lines;
    lines.reserve(static_cast<int>(items.size()));
    const QString pad = tableMode ? QStringLiteral("  ") : QString();
    for (const std::string& item : items) {
        lines.append(pad + ToQString(item) + pad);
    }
    m_model = new QStringListModel(lines, this);
    m_list = new QListView(this);
    m_list->setObjectName(QStringLiteral("list"));
    m_list->setModel(m_model);
    m_list->setFont(tableMode ? FixedPointFont(12) : SansPointFont(12));
    m_list->setUniformItemSizes(true);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_list->setLineWidth(kListFrame);
    QPalette listPalette = m_list->palette();
    listPalette.setColor(QPalette::Base, colours::paleYellow);
    m_list->setPalette(listPalette);
    layout->addWidget(m_list);

    fitToItems(lines, hasHeader, tableMode);
    if (!lines.isEmpty()) {
        m_list->setCurrentIndex(m_model->index(0));
    }
    connect(m_list, &QListView::doubleClicked, this, [this](const QModelIndex& index) { done(index.row() + 1); });
    // The dialog sees the keys before the list does.
    m_list->installEventFilter(this);
    installEventFilter(this);
}

void ListDialog::fitToItems(const QStringList& lines, bool hasHeader, bool tableMode)
{
    const QFontMetrics metrics(m_list->font());
    int widest = 0;
    for (const QString& line : lines) {
        widest = std::max(widest, metrics.horizontalAdvance(line));
    }
    const int widthA = metrics.horizontalAdvance(QLatin1Char('A'));
    const int heightA = metrics.height();
    m_list->setItemDelegate(new LineDelegate(QSize(widest + widthA / 2, heightA), m_list));

    QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    int width = widest + widthA;
    int height = screen->virtualGeometry().height() * 2 / 3;
    bool fixed = false;
    if (tableMode) {
        height = static_cast<int>(lines.size()) * heightA + 2 * kListFrame + (hasHeader ? kHeaderHeight : 0);
        const int limit = screen->availableGeometry().height() * 2 / 3;
        if (height > limit) {
            // Too long for the screen: a scroll bar is needed, so the list gets room for it.
            height = limit;
            width += 20;
            move(screen->availableGeometry().center() - QPoint(width / 2, height / 2));
        } else {
            fixed = true;
        }
    }
    if (fixed) {
        setFixedSize(width, height);
    } else {
        resize(width, height);
    }
}

void ListDialog::closeWithKey(int code)
{
    if (code == kKeyEnter) {
        const QModelIndex current = m_list->currentIndex();
        done(current.isValid() ? current.row() + 1 : 0);
    } else if (code == kKeyEscape) {
        reject();
    } else {
        done(code);
    }
}

bool ListDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int code = KeyCodeOf(*static_cast<QKeyEvent*>(event));
        if (code != 0 && m_allowed.count(code) != 0) {
            closeWithKey(code);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace karvo
