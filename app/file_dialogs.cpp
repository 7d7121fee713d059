#include "file_dialogs.h"

#include <QFileDialog>
#include <QStringList>

#include "qt_text.h"

namespace app {

namespace {

constexpr wchar_t kImageFilter[] =
    L"All Files (*.*)|*.*|jpeg Files (*.jpg)|*.jpg;*.jpe;*jpeg|GIF Files (*.gif)|*.gif|bmp Files "
    L"(*.bmp)|*.bmp;*.dib|png Files (*.png)|*.png|mng Files (*.mng)|*.mng|raw Files "
    L"(*.raw)|*.raw|jbig Files (*.jbig)|*.jbig|tiff Files (*.tif)|*.tif;*.tiff;*.TIFF;*.TIF||";
constexpr wchar_t kPdfFilter[] = L"PDF (*.pdf)|*.pdf||";

QString DescriptionWithoutPatterns(const QString& description) {
    const qsizetype open = description.lastIndexOf(QLatin1Char('('));
    if (open > 0 && description.endsWith(QLatin1Char(')'))) {
        return description.left(open).trimmed();
    }
    return description.trimmed();
}

std::optional<std::wstring> Chosen(const QString& path) {
    if (path.isEmpty()) {
        return std::nullopt;
    }
    return FromQString(path);
}

}  // namespace

QString QtFilterOf(std::wstring_view pipeFilter) {
    const QStringList parts = ToQString(std::wstring(pipeFilter)).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty()) {
            break;  // the "||" that ends the list
        }
        const QString patterns = parts[i + 1].split(QLatin1Char(';')).join(QLatin1Char(' '));
        filters << DescriptionWithoutPatterns(parts[i]) + QStringLiteral(" (") + patterns +
                       QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

std::vector<std::wstring> ChooseImageFiles(QWidget* owner) {
    const QStringList chosen =
        QFileDialog::getOpenFileNames(owner, QString(), QString(), QtFilterOf(kImageFilter));
    std::vector<std::wstring> paths;
    for (const QString& path : chosen) {
        if (path.isEmpty()) {
            break;
        }
        paths.push_back(FromQString(path));
    }
    return paths;
}

std::optional<std::wstring> ChooseFolder(QWidget* owner, const std::wstring& title) {
    return Chosen(QFileDialog::getExistingDirectory(owner, ToQString(title)));
}

std::optional<std::wstring> ChoosePdfFile(QWidget* owner) {
    QFileDialog dialog(owner);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QtFilterOf(kPdfFilter));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return Chosen(dialog.selectedFiles().front());
}

std::optional<std::wstring> ChooseAnyFile(QWidget* owner, const std::wstring& title) {
    return Chosen(QFileDialog::getOpenFileName(owner, ToQString(title)));
}

}  // namespace app
