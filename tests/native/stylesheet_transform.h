// Runs an invoice through app/Corvale.xsl as the viewer hands it to its browser: the invoice's
// lines with the stylesheet line put in by InsertStylesheetLine, written as a temporary document
// beside a copy of the stylesheet. Natively libxslt (xsltproc) follows the document's stylesheet
// instruction; on Windows MSXML loads both files and transforms. Returns the HTML as UTF-8, or an
// empty text after reporting a test failure.
#pragma once

#include <string>

std::string TransformInvoice(const std::string& invoiceBytes);

// The temporary document the viewer would write for these invoice bytes.
std::string ViewerDocumentText(const std::string& invoiceBytes);
