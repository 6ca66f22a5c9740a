#include "editors/ui/button_editor_view.h"

#include <QListWidget>
#include <QPainter>
#include <QStyledItemDelegate>
#include <algorithm>

#include "config/action_codes.h"
#include "editors/ui/key_combination_dialog.h"
#include "skin/control_names.h"
#include "skin/skin_tables.h"
#include "skin/ui/skin_widgets.h"

namespace varnel {

namespace {

constexpr std::size_t kLrmItem = 1;  // the second menu item of a code lies on Pnl_LRM

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
QColor qc(const Rgb& c) { return QColor(c.r, c.g, c.b); }

// The macro picker's entries look like the menus' entries beside it (one menu style): light on
// the dark panel, white on the skin's red under the pointer, whatever the list's style sheet says.
class MenuEntryDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const bool lit = (option.state & QStyle::State_MouseOver) != 0;
        const EntryColours& colours = lit ? kEntryHighlighted : kEntryNormal;
        p->fillRect(option.rect, colours.back ? qc(*colours.back) : kMenuPanelColour);
        p->setPen(qc(colours.text));
        p->setFont(option.font);
        p->drawText(option.rect.adjusted(kMenuIndent, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                    index.data().toString());
    }
};

}  // namespace

ButtonEditorView::ButtonEditorView(QWidget& window, ButtonEditor& editor, const CaptionsModel& captions,
                                   std::function<void()> render)
    : QObject(&window), window_(window), editor_(editor), captions_(captions), render_(std::move(render)) {
    for (int k = 1; k <= skin::kKeyLabelCount; ++k) {
        const std::string label = skin::keyLabel(k);
        connectLabel(label, {}, {}, [this, k, label] {
            editor_.showButtonMenu(k);
            // The open dialog belongs to the button it was opened for: another button's menu
            // closes it without a change.
            if (dialog_ && editor_.assemblyButton() != editor_.SelectedButton()) dialog_->close();
            if (auto* l = window_.findChild<SkinLabel*>(qs(label))) l->setScrolling(false);
        });
    }
    for (const auto& g : kMenuGroupSubMenus) {
        connectLabel(
            g.entry, [this, tag = g.tag] { editor_.KeyByTagMouseEnter(tag); },
            [this, tag = g.tag] { editor_.KeyByTagMouseLeave(tag); }, {});
        entries_.emplace_back(g.entry);
    }
    const std::string assembly(ctrl::Key_Assembly);
    connectLabel(
        assembly, [this] { editor_.KeyStatus_AMouseEnter(); },
        [this, assembly] { editor_.KeyStatusMouseLeave(assembly); }, [this] { openDialog(); });
    connectLabel(ctrl::Key_Macro, {}, {}, [this] { openDialog(); });
    entries_.push_back(assembly);
    for (const auto& code : namedCodes()) {
        for (std::size_t i = 0; i < code.menuItems.size(); ++i) {
            if (code.menuItems[i].empty()) continue;
            const std::string name(code.menuItems[i]);
            const bool lrm = i == kLrmItem;
            connectLabel(
                name, [this, name] { editor_.KeyStatusMouseEnter(name); },
                [this, name] { editor_.KeyStatusMouseLeave(name); },
                [this, tag = code.tag, lrm] {
                    if (lrm) {
                        editor_.Key_SwitchLRMOnClick(tag);
                    } else {
                        editor_.KeyStatusOnClick(tag);
                    }
                });
            entries_.push_back(name);
        }
    }
    if (auto* list = window_.findChild<QListWidget*>(qs(ctrl::LB_Name))) {
        QPalette pal = list->palette();
        pal.setColor(QPalette::Base, kMenuPanelColour);
        list->setPalette(pal);
        list->setItemDelegate(new MenuEntryDelegate(list));
        list->setMouseTracking(true);
        list->viewport()->setAttribute(Qt::WA_Hover);
        connect(list, &QListWidget::itemClicked, this, [this, list](QListWidgetItem* item) {
            editor_.LB_NameClick(list->row(item));
            sync();
        });
    }
    if (auto* mousePicture = window_.findChild<SkinPicture*>(qs(ctrl::Img_P1))) {
        connect(mousePicture, &SkinPicture::pressed, this, [this] {
            editor_.ClearAP();
            sync();
        });
    }
    paintEntries();
}

void ButtonEditorView::connectLabel(std::string_view name, std::function<void()> enter, std::function<void()> leave,
                                    std::function<void()> click) {
    auto* label = window_.findChild<SkinLabel*>(qs(name));
    if (label == nullptr) return;
    const auto run = [this](const std::function<void()>& f) {
        return [this, f](const QString&) {
            f();
            sync();
        };
    };
    if (enter) connect(label, &SkinLabel::entered, this, run(enter));
    if (leave) connect(label, &SkinLabel::left, this, run(leave));
    if (click) connect(label, &SkinLabel::clicked, this, run(click));
}

void ButtonEditorView::openDialog() {
    editor_.Key_AssemblyClick();
    if (dialog_) dialog_->close();
    sync();
    dialog_ = new KeyCombinationDialog(&window_, captions_, editor_, [this] { sync(); });
    dialog_->present();
}

void ButtonEditorView::sync() {
    if (render_) render_();
    paintEntries();
}

void ButtonEditorView::paintEntries() {
    const Qt::ArrowType arrow = editor_.subMenusOpenLeftward() ? Qt::LeftArrow : Qt::RightArrow;
    for (const auto& name : entries_) {
        auto* label = window_.findChild<SkinLabel*>(qs(name));
        if (label == nullptr) continue;
        const bool opensSubMenu = std::any_of(kMenuGroupSubMenus.begin(), kMenuGroupSubMenus.end(),
                                              [&](const MenuGroupSpec& g) { return g.entry == name; });
        label->setMenuEntry(opensSubMenu ? arrow : Qt::NoArrow);
        const EntryColours colours = editor_.entryColours(name);
        label->setAutoFillBackground(colours.back.has_value());
        if (colours.back) {
            QPalette pal = label->palette();
            pal.setColor(QPalette::Window, QColor(colours.back->r, colours.back->g, colours.back->b));
            label->setPalette(pal);
        }
    }
}

}  // namespace varnel
