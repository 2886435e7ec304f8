#pragma once
// The plant root: the folder that holds the workstation files, the database aliases, the
// credentials file and, by default, the image folders of an installation.
#include <QString>

namespace falq {

// VELMORA_ROOT, else C:\Velmora on Windows and ~/.local/share/velmora elsewhere.
QString plantRoot();

// Resolves a path relative to the plant root ("programas/Computador/Computador.txt"). Each
// component is matched without regard to case, so the mixed spellings used by the plant
// ("programas" and "Programas") find the same folder on a case-sensitive file system. A
// component that does not exist is kept as written.
QString resolveInRoot(const QString& relativePath);

// The same match below any folder.
QString resolveCaseInsensitive(const QString& baseDir, const QString& relativePath);

// A folder named in the databases (image folders, the company's logo folder, the invoicing
// photo folder): a relative one lies in the plant root (`root`) and is resolved there as
// above; an absolute one is used as it is. An empty folder stays empty. Installations store
// their own folders relative ("imagens/cliches/"), so a long plant root still fits the
// columns.
QString resolveFolder(const QString& folder, const QString& root);
QString resolveFolder(const QString& folder); // in the plant root

} // namespace falq
