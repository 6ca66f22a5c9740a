#include "editors/ui/update_page_view.h"

#include <QFile>
#include <QWidget>

#include "skin/control_names.h"
#include "skin/ui/skin_widgets.h"

namespace varnel {

namespace {

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

UpdatePageView::UpdatePageView(QWidget& window, UpdatePage& page, UpdatePageServices services,
                               std::function<void()> render)
    : QObject(&window), page_(page), services_(std::move(services)), render_(std::move(render)) {
    if (auto* l = window.findChild<SkinLabel*>(qs(ctrl::Btn_LoadBIN)))
        connect(l, &SkinLabel::clicked, this, &UpdatePageView::Btn_LoadBINClick);
    if (auto* l = window.findChild<SkinLabel*>(qs(ctrl::Btn_Program)))
        connect(l, &SkinLabel::clicked, this, &UpdatePageView::Btn_ProgramClick);
}

void UpdatePageView::Btn_LoadBINClick() {
    const QString file = services_.openFileName();
    if (file.isEmpty()) return;
    page_.firmwareChosen(file.toStdString());
    render_();
    services_.loadFirmware(std::filesystem::path(QFile::encodeName(file).toStdString()));
}

void UpdatePageView::Btn_ProgramClick() {
    if (page_.programArmed()) services_.program();
}

}  // namespace varnel
