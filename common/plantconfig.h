#pragma once
// Settings of the installation that live in the plant root, in falquinas.ini:
//
//   [Geral]
//   Site=https://www.example.com          ; the web link of the main window
//   PastaPdf=/srv/partilha/Programas/Pdf  ; second folder of the notes document
//   [Actualizacao]
//   Servidor=http://updates.example.com   ; the update server (scheme, host, port)
//   Espera=10000                          ; milliseconds a check-only run waits
//   [VidaUtil]
//   Aviso=90                              ; wear % of a tool's forecast life that warns
//   Inactivo=24                           ; months without use after which a tool is dormant
//   [Localizacao]
//   Alerta=7                              ; days at a machine or supplier before a tool is listed
//   [Etiquetas]
//   Formato=A4-3x8                        ; the labels' format last chosen (or Rolo-62x29)
#include <QString>
#include <QUrl>

namespace falq {

struct PlantConfig {
    QString webSite;
    QString secondPdfFolder;
    QUrl updateServer;
    int updateWaitMs = 10000;
    int toolWarningPercent = 90; // a whole number above 0, else the default
    int toolDormantMonths = 24;  // a whole number above 0, else the default
    int awayAlertDays = 7;       // a whole number above 0, else the default
    QString labelFormat;         // empty: the first format

    static PlantConfig read(); // from the plant root; missing file or keys give the defaults
    // Writes one key ("Etiquetas/Formato") into the file, keeping the others; false when the
    // file cannot be written.
    static bool write(const QString& key, const QString& value);
};

} // namespace falq
