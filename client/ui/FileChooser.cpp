#include "client/ui/FileChooser.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QSortFilterProxyModel>
#include <mutex>

namespace plenfox::client::ui {

namespace {

struct State {
    std::mutex lock;
    std::optional<QString> nextFileName;
    std::optional<FileChooser::Request> last;
};

State& state() {
    static State instance;
    return instance;
}

// Shows folders and the files the request accepts. File names hold blanks,
// which a dialog's name filter would split, so the filtering is done here.
class AcceptedNamesModel : public QSortFilterProxyModel {
public:
    AcceptedNamesModel(FileChooser::Request request, QObject* parent)
        : QSortFilterProxyModel(parent), request(std::move(request)) {}

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
        const auto* files = qobject_cast<QFileSystemModel*>(sourceModel());
        if (!files)
            return true;
        const QModelIndex index = files->index(row, 0, parent);
        return FileChooser::shows(request, files->fileName(index), files->isDir(index));
    }

private:
    FileChooser::Request request;
};

} // namespace

bool FileChooser::shows(const Request& request, const QString& name, bool isFolder) {
    return isFolder || request.acceptedNames.contains(name, Qt::CaseInsensitive);
}

QString FileChooser::chooseFile(QWidget* owner, const Request& request) {
    {
        std::lock_guard guard(state().lock);
        state().last = request;
        if (state().nextFileName) {
            QString answer = *state().nextFileName;
            state().nextFileName.reset();
            return answer;
        }
    }
    QFileDialog dialog(owner, request.title, request.startFolder);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilter(request.filterDescription + QStringLiteral(" (*)"));
    dialog.setProxyModel(new AcceptedNamesModel(request, &dialog));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

void FileChooser::setNextFileName(const QString& fileName) {
    std::lock_guard guard(state().lock);
    state().nextFileName = fileName;
}

std::optional<FileChooser::Request> FileChooser::lastRequest() {
    std::lock_guard guard(state().lock);
    return state().last;
}

void FileChooser::reset() {
    std::lock_guard guard(state().lock);
    state().nextFileName.reset();
    state().last.reset();
}

} // namespace plenfox::client::ui
