#pragma once
// Settings of the installation that live in the plant root, in falquinas.ini:
//
//   [Geral]
//   Site=https://www.example.com          ; the web link of the main window
//   PastaPdf=/srv/partilha/Programas/Pdf  ; second folder of the notes document
//   [Actualizacao]
//   Servidor=http://updates.example.com   ; the update server (scheme, host, port)
//   Espera=10000                          ; milliseconds a check-only run waits
#include <QString>
#include <QUrl>

namespace falq {

struct PlantConfig {
    QString webSite;
    QString secondPdfFolder;
    QUrl updateServer;
    int updateWaitMs = 10000;

    static PlantConfig read(); // from the plant root; missing file or keys give the defaults
};

} // namespace falq
