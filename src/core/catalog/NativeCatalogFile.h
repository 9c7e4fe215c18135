#pragma once

#include "core/catalog/CatalogData.h"

#include <QByteArray>
#include <QString>

// The native ".tvc" format without the file: TVC_ReadCatalogFile and
// TVC_WriteCatalogFile (CatalogFiles.h) go through these.

// Reads a file's bytes as TVC_ReadCatalogFile reads an existing file.
CatalogReadResult TVC_ReadCatalogText(const QByteArray& bytes, const CatalogData& headers);

// The whole file's text, as TVC_WriteCatalogFile writes it (as UTF-8).
QString TVC_CatalogText(const CatalogData& catalog);

// Why TVC_WriteCatalogFile refuses this catalog (CatalogFiles.h); empty
// when it can be written.
QString TVC_UnstorableMessage(const CatalogData& catalog);

// A description holds a line equal to the native format's block separator
// ("--------------------@B@"), where the reader would end the bookmark.
bool nativeDescriptionBreaksBlock(const QString& description);
