#pragma once
// The viewer windows: full screen, borderless, the image in an image control with its
// context menu; a double click on the image closes them; Enter moves between fields.
//
//   TClicheViewer  "Visualização de Clichés": the cliché's fields and its six colours;
//   TDesenhoViewer "Visualização de Desenhos ( Ficha Técnica)": the drawing's technical data;
//   TFotoViewer    "Visualização de Fotos": the image alone.
//
// Each caller creates its own viewer with the full image path (clicheImagePath or
// drawingImagePath, which give no path for a number that would leave the image folder) and
// the record to show (any source of field values: a dataset's current row, a query's record),
// shows it modally and frees it. A path that is empty or names no file shows an empty image.
#include "imagecontrol.h"

#include <QDialog>
#include <QSqlDatabase>
#include <functional>
#include <memory>

class QSqlRecord;

namespace Ui {
class TClicheViewer;
class TDesenhoViewer;
class TFotoViewer;
} // namespace Ui

namespace falq {

class Dataset;

// The value of a field of the record shown, by column name.
using FieldSource = std::function<QVariant(const QString& field)>;
FieldSource fieldsOf(const Dataset* dataset);   // its current row
FieldSource fieldsOf(const QSqlRecord& record); // typed as the datasets type the columns

class ViewerWindow : public QDialog {
    Q_OBJECT
public:
    ImageControl* imageControl() const { return m_image; }
    QString imagePath() const { return m_path; }

protected:
    ViewerWindow(const QString& imagePath, QWidget* parent);
    // Puts the image control in `layout` and sets the window up; called by the subclasses.
    void setUpViewer(class QLayout* layout);
    void showEvent(QShowEvent* e) override;
    virtual void fillFields() {}
    // Puts each field's value in its read-only box (named Edit_ + the column).
    void fillBoxes(const FieldSource& fields);

private:
    ImageControl* m_image = nullptr;
    QString m_path;
};

class TClicheViewer : public ViewerWindow {
    Q_OBJECT
public:
    // `db` holds CORES, read for the colour boxes.
    TClicheViewer(const QString& imagePath, const FieldSource& fields, const QSqlDatabase& db,
                  QWidget* parent = nullptr);
    ~TClicheViewer() override;

protected:
    void fillFields() override;

private:
    std::unique_ptr<Ui::TClicheViewer> ui;
    FieldSource m_fields;
    QSqlDatabase m_db;
};

class TDesenhoViewer : public ViewerWindow {
    Q_OBJECT
public:
    TDesenhoViewer(const QString& imagePath, const FieldSource& fields, QWidget* parent = nullptr);
    ~TDesenhoViewer() override;

    // "Vertical"/"Horizontal" for "V"/"H", "Exterior"/"Interior" for "E"/"I", else empty
    // (upper case only, as stored by the editor).
    static QString flowDirectionWord(const QString& code);
    static QString viewWord(const QString& code);

protected:
    void fillFields() override;

private:
    std::unique_ptr<Ui::TDesenhoViewer> ui;
    FieldSource m_fields;
};

class TFotoViewer : public ViewerWindow {
    Q_OBJECT
public:
    explicit TFotoViewer(const QString& imagePath, QWidget* parent = nullptr);
    ~TFotoViewer() override;

private:
    std::unique_ptr<Ui::TFotoViewer> ui;
};

} // namespace falq
