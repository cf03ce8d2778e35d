// The invoice stylesheet on what the viewer really hands its browser: each invoice goes through
// InsertStylesheetLine into a temporary document beside a copy of app/Corvale.xsl, and is
// transformed by libxslt natively and by MSXML under Wine. The HTML that comes out is read back as
// text and checked against the invoice: one page section per body, one row per line, the document
// total in Italian format, every code with its description, invoice text never taken as markup.
#include "tests/native/stylesheet_transform.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "tests/native/test_files.h"

namespace {

const std::string kSamples = "fatturapa/";
const std::string kFixtures = CORVALE_SOURCE_DIR "/tests/fixtures/fatturapa/";

std::string ReadText(const std::string& path) {
  std::vector<uint8_t> bytes = ReadBytes(path);
  return std::string(bytes.begin(), bytes.end());
}

// Visible text of an HTML fragment: tags dropped, character references decoded, white space
// collapsed to single spaces.
std::string VisibleText(const std::string& html) {
  std::string text;
  for (size_t i = 0; i < html.size();) {
    if (html[i] == '<') {
      size_t end = html.find('>', i);
      text += ' ';
      i = end == std::string::npos ? html.size() : end + 1;
    } else if (html[i] == '&') {
      size_t end = html.find(';', i);
      std::string name = end == std::string::npos ? "" : html.substr(i + 1, end - i - 1);
      static const std::map<std::string, std::string> kNamed = {
          {"amp", "&"}, {"lt", "<"}, {"gt", ">"}, {"quot", "\""}, {"apos", "'"}, {"nbsp", " "}};
      auto named = kNamed.find(name);
      if (named != kNamed.end()) {
        text += named->second;
      } else if (name.size() > 1 && name[0] == '#') {
        unsigned long code = name[1] == 'x' || name[1] == 'X' ? std::strtoul(name.c_str() + 2, nullptr, 16)
                                                               : std::strtoul(name.c_str() + 1, nullptr, 10);
        if (code < 0x80) {
          text += static_cast<char>(code);
        } else if (code < 0x800) {
          text += static_cast<char>(0xC0 | (code >> 6));
          text += static_cast<char>(0x80 | (code & 0x3F));
        } else {
          text += static_cast<char>(0xE0 | (code >> 12));
          text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
          text += static_cast<char>(0x80 | (code & 0x3F));
        }
      } else {
        text += '&';
        i += 1;
        continue;
      }
      i = end + 1;
    } else {
      text += html[i++];
    }
  }
  std::string collapsed;
  for (char c : text) {
    bool space = c == ' ' || c == '\t' || c == '\r' || c == '\n';
    if (space && (collapsed.empty() || collapsed.back() == ' ')) continue;
    collapsed += space ? ' ' : c;
  }
  return collapsed;
}

size_t CountOf(const std::string& text, const std::string& what) {
  size_t count = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++count;
  return count;
}

// The rendered page split into one piece of HTML per invoice body.
std::vector<std::string> RenderedBodies(const std::string& html) {
  const std::string marker = "<div class=\"invoice";
  std::vector<std::string> bodies;
  size_t at = html.find(marker);
  while (at != std::string::npos) {
    size_t next = html.find(marker, at + marker.size());
    bodies.push_back(html.substr(at, next == std::string::npos ? std::string::npos : next - at));
    at = next;
  }
  return bodies;
}

// The invoice's own structure, read from its text with whatever namespace prefix it uses.
std::regex OpeningTag(const std::string& name) { return std::regex("<([A-Za-z_][\\w.-]*:)?" + name + "[\\s/>]"); }

std::vector<std::string> SourceBodies(const std::string& xml, std::string* header) {
  std::regex opening = OpeningTag("FatturaElettronicaBody");
  std::vector<size_t> starts;
  for (auto it = std::sregex_iterator(xml.begin(), xml.end(), opening); it != std::sregex_iterator(); ++it) {
    starts.push_back(static_cast<size_t>(it->position()));
  }
  *header = xml.substr(0, starts.empty() ? xml.size() : starts[0]);
  std::vector<std::string> bodies;
  for (size_t i = 0; i < starts.size(); ++i) {
    size_t end = i + 1 < starts.size() ? starts[i + 1] : xml.size();
    bodies.push_back(xml.substr(starts[i], end - starts[i]));
  }
  return bodies;
}

size_t CountElements(const std::string& xml, const std::string& name) {
  std::regex opening = OpeningTag(name);
  return static_cast<size_t>(std::distance(std::sregex_iterator(xml.begin(), xml.end(), opening), std::sregex_iterator()));
}

std::vector<std::string> Values(const std::string& xml, const std::string& name) {
  std::regex element("<([A-Za-z_][\\w.-]*:)?" + name + ">\\s*([^<]*?)\\s*</");
  std::vector<std::string> values;
  for (auto it = std::sregex_iterator(xml.begin(), xml.end(), element); it != std::sregex_iterator(); ++it) {
    values.push_back((*it)[2].str());
  }
  return values;
}

// 1234567.125 -> 1.234.567,125: grouping changes, every decimal stays.
std::string Italian(const std::string& amount) {
  std::string whole = amount;
  std::string sign;
  if (!whole.empty() && whole[0] == '-') {
    sign = "-";
    whole.erase(0, 1);
  }
  std::string fraction;
  size_t point = whole.find('.');
  if (point != std::string::npos) {
    fraction = "," + whole.substr(point + 1);
    whole.resize(point);
  }
  std::string grouped;
  for (size_t i = 0; i < whole.size(); ++i) {
    if (i > 0 && (whole.size() - i) % 3 == 0) grouped += '.';
    grouped += whole[i];
  }
  return sign + grouped + fraction;
}

long long Cents(const std::string& amount) {
  bool negative = !amount.empty() && amount[0] == '-';
  std::string digits = negative ? amount.substr(1) : amount;
  size_t point = digits.find('.');
  std::string whole = digits.substr(0, point);
  std::string fraction = point == std::string::npos ? "" : digits.substr(point + 1);
  fraction = (fraction + "00").substr(0, 2);
  long long cents = std::atoll(whole.c_str()) * 100 + std::atoll(fraction.c_str());
  return negative ? -cents : cents;
}

std::string FromCents(long long cents) {
  char text[32];
  std::snprintf(text, sizeof text, "%s%lld.%02lld", cents < 0 ? "-" : "", (cents < 0 ? -cents : cents) / 100,
                (cents < 0 ? -cents : cents) % 100);
  return text;
}

// The document total a reader must find: the one the file states, or else what its summary adds up
// to (the simplified invoice's amounts include VAT).
std::string ExpectedTotal(const std::string& body) {
  std::vector<std::string> stated = Values(body, "ImportoTotaleDocumento");
  if (!stated.empty()) return Italian(stated[0]);
  long long cents = 0;
  if (CountElements(body, "DettaglioLinee") == 0) {
    for (const std::string& amount : Values(body, "Importo")) cents += Cents(amount);
  } else {
    for (const std::string& amount : Values(body, "ImponibileImporto")) cents += Cents(amount);
    for (const std::string& amount : Values(body, "Imposta")) cents += Cents(amount);
  }
  return Italian(FromCents(cents));
}

// The official descriptions of every code the samples and fixtures use. A file holding a code not
// listed here fails the test, so a new fixture brings its expectations along.
const std::map<std::string, std::string> kDescriptions = {
    {"TD01", "Fattura"},
    {"TD04", "Nota di credito"},
    {"TD06", "Parcella"},
    {"TD07", "Fattura semplificata"},
    {"N1", "Escluse ex art. 15 del DPR 633/72"},
    {"N2.1", "Non soggette ad IVA ai sensi degli artt. da 7 a 7-septies del DPR 633/72"},
    {"N6.7", "Inversione contabile - prestazioni comparto edile e settori connessi"},
    {"RF01", "Ordinario"},
    {"RF19", "Forfettario (art. 1, c. 54-89, L. 190/2014)"},
    {"TP01", "Pagamento a rate"},
    {"TP02", "Pagamento completo"},
    {"MP01", "Contanti"},
    {"MP05", "Bonifico"},
    {"MP08", "Carta di pagamento"},
    {"MP12", "RIBA"},
    {"MP19", "SEPA Direct Debit"},
    {"MP23", "PagoPA"},
    {"TP03", "Anticipo"},
    {"MP99", "(codice non previsto)"},
};

struct TInvoice {
  const char* Name;
  std::string Path;
};

class Stylesheet : public testing::TestWithParam<TInvoice> {};

TEST_P(Stylesheet, EveryBodyRenderedWithItsLinesTotalAndCodes) {
  std::string xml = ReadText(GetParam().Path);
  std::string header;
  std::vector<std::string> sourceBodies = SourceBodies(xml, &header);
  ASSERT_FALSE(sourceBodies.empty());

  std::string html = TransformInvoice(xml);
  std::vector<std::string> rendered = RenderedBodies(html);
  ASSERT_EQ(rendered.size(), sourceBodies.size());

  std::vector<std::string> headerCodes = Values(header, "RegimeFiscale");
  for (size_t i = 0; i < sourceBodies.size(); ++i) {
    SCOPED_TRACE("body " + std::to_string(i + 1));
    const std::string& source = sourceBodies[i];
    std::string text = VisibleText(rendered[i]);

    size_t lines = CountElements(source, "DettaglioLinee");
    if (lines == 0) lines = CountElements(source, "DatiBeniServizi");  // the simplified invoice's lines
    EXPECT_GT(lines, 0u);
    EXPECT_EQ(CountOf(rendered[i], "<tr class=\"line\">"), lines);

    std::string currency = Values(source, "Divisa").at(0);
    EXPECT_NE(text.find("Totale documento " + currency + " " + ExpectedTotal(source)), std::string::npos)
        << "total " << ExpectedTotal(source) << " in: " << text;

    std::string date = Values(source, "Data").at(0);
    ASSERT_EQ(date.size(), 10u);
    EXPECT_NE(text.find(date.substr(8, 2) + "/" + date.substr(5, 2) + "/" + date.substr(0, 4)), std::string::npos);
    EXPECT_NE(text.find("Numero " + Values(source, "Numero").at(0)), std::string::npos);

    std::vector<std::string> codes = headerCodes;
    for (const char* element : {"TipoDocumento", "Natura", "CondizioniPagamento", "ModalitaPagamento"}) {
      for (const std::string& code : Values(source, element)) codes.push_back(code);
    }
    for (const std::string& code : codes) {
      auto description = kDescriptions.find(code);
      if (description == kDescriptions.end()) {
        ADD_FAILURE() << "no expected description for " << code;
        continue;
      }
      EXPECT_NE(text.find(code + " " + description->second), std::string::npos) << code << " in: " << text;
    }
  }
}

std::vector<TInvoice> AllInvoices() {
  std::vector<TInvoice> invoices;
  for (const char* sample : {"IT01234567890_FPA01", "IT01234567890_FPA02", "IT01234567890_FPA03", "IT01234567890_FPR01",
                             "IT01234567890_FPR02", "IT01234567890_FPR03", "IT01234567890_FSM10"}) {
    invoices.push_back({sample, TestDataPath(kSamples + sample + ".xml")});
  }
  for (const char* fixture :
       {"markup_in_description", "default_namespace", "windows1252", "bom", "batch_two_bodies", "payments", "figures"}) {
    invoices.push_back({fixture, kFixtures + fixture + ".xml"});
  }
  return invoices;
}

INSTANTIATE_TEST_SUITE_P(Invoices, Stylesheet, testing::ValuesIn(AllInvoices()),
                         [](const testing::TestParamInfo<TInvoice>& param) { return std::string(param.param.Name); });

// What particular files must show, body by body: texts that only appear when the stylesheet reads
// the right element and formats it the right way.
struct TShown {
  const char* File;
  size_t Body;
  std::vector<std::string> Texts;
  std::vector<std::string> Absent = {};
};

class StylesheetShows : public testing::TestWithParam<TShown> {};

TEST_P(StylesheetShows, TheseTexts) {
  std::vector<std::string> bodies = RenderedBodies(TransformInvoice(ReadText(kFixtures + GetParam().File + ".xml")));
  ASSERT_GT(bodies.size(), GetParam().Body);
  std::string text = VisibleText(bodies[GetParam().Body]);
  for (const std::string& expected : GetParam().Texts) {
    EXPECT_NE(text.find(expected), std::string::npos) << expected << " in: " << text;
  }
  for (const std::string& absent : GetParam().Absent) {
    EXPECT_EQ(text.find(absent), std::string::npos) << absent << " in: " << text;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, StylesheetShows,
    testing::Values(
        // Markup in a description is text, and so is an ampersand.
        TShown{"markup_in_description", 0, {"DESCRIZIONE <b>x</b> DELLA FORNITURA"}},
        TShown{"batch_two_bodies", 0, {"CONSULENZA & ASSISTENZA LEGALE", "GAMMA & DELTA SRL"}},
        // Windows-1252 bytes come out as the characters they stand for.
        TShown{"windows1252", 0, {"SOCIET\xC3\x80 ALPHA SRL", "CAFF\xC3\x88 E T\xC3\x88 PER UFFICIO, 2 \xE2\x82\xAC A CONFEZIONE"}},
        TShown{"default_namespace", 0, {"ALPHA SRL", "AMMINISTRAZIONE BETA", "VIALE ROMA 543", "FORNITURE VARIE PER UFFICIO"}},
        TShown{"bom", 0, {"SOCIETA' ALPHA SRL", "DITTA BETA", "Partita IVA IT01234567890"}},
        // Parties: a person's name with title, professional register, fiscal representative,
        // intermediary, permanent establishment.
        TShown{"batch_two_bodies",
               0,
               {"AVV. MARIO ROSSI", "Codice fiscale RSSMRA70A01H501U", "VIA DEI GRACCHI, 12 00192 ROMA (RM) - IT",
                "ORDINE DEGLI AVVOCATI (RM), n. A12345 del 30/06/1998", "RAPPRESENTANZE FISCALI SPA",
                "Partita IVA IT11122233344", "STUDIO INTERMEDIARIO SRL", "Fattura emessa da: terzo (TZ)",
                "Stabile organizzazione VIA GARIBALDI 5 16124 GENOVA (GE) - IT"}},
        // Lines: unit prices keep their eight decimals, line totals show two; thousands grouped, discounts, periods, article codes.
        TShown{"batch_two_bodies",
               0,
               {"10,00 ore 120,00 1.200,00 22,00%", "3,00 pz 12,34567891 Sconto 10,00% 33,33 22,00%",
                "1,00 1.234.567,89 1.234.567,89 N6.7", "INTERNO: CONS-01", "Periodo dal 01/01/2024 al 31/03/2024",
                "LOTTO: L-2024-11", "Spesa accessoria"}},
        // Withholding, social security fund, stamp duty, totals and payment.
        TShown{"batch_two_bodies",
               0,
               {"RT01 Ritenuta persone fisiche 20,00% 240,00 A",
                "TC01 Cassa nazionale previdenza e assistenza avvocati e procuratori legali 4,00% 1.200,00 48,00 22,00%",
                "Bollo virtuale, importo EUR 2,00", "Totale imponibile EUR 1.235.851,22", "Totale imposta EUR 281,89",
                "Totale documento EUR 1.236.133,11", "Ritenute EUR 240,00", "Importo da pagare EUR 1.235.893,11",
                "MP05 Bonifico 15/04/2024 1.235.893,11 BANCA ESEMPIO IBAN IT60X0542811101000000123456 BIC BPMOIT22XXX"}},
        // Related documents and attachments.
        TShown{"batch_two_bodies",
               0,
               {"Ordine di acquisto ODA-2024-003 08/01/2024 COMMESSA 77 1", "Fattura collegata 2023/98 20/12/2023",
                "Documento di trasporto (DDT) DDT-9 10/03/2024 2", "Stato avanzamento lavori Fase 2",
                "parcella-2024-17.pdf PDF COPIA DI CORTESIA", "ore-lavorate.zip CSV ZIP PROSPETTO DELLE ORE"}},
        // A second body is a document of its own: its type, its total computed from its summary.
        TShown{"batch_two_bodies",
               1,
               {"Nota di credito", "Numero 2024/18", "Fattura collegata 2024/17 15/03/2024",
                "Totale documento EUR 172,00", "MP23 PagoPA 20/04/2024 86,00", "MP12 RIBA 20/05/2024 86,00",
                "Importo da pagare EUR 172,00"}},
        // The amount payable: alternatives under TP02 count once, instalments under TP01 add up,
        // alternatives that disagree give no figure, blocks add up only when each is certain,
        // and without stated payment amounts nothing is shown as payable.
        TShown{"payments",
               0,
               {"Importo da pagare EUR 122,00", "Modalità alternative per lo stesso importo: EUR 122,00"},
               {"244,00"}},
        TShown{"payments", 1, {"Importo da pagare EUR 244,00", "Totale delle rate: EUR 244,00"}},
        TShown{"payments",
               2,
               {"Importo da pagare vedi Pagamento", "Modalità alternative con importi diversi",
                "MP05 Bonifico 30/04/2024 122,00", "MP01 Contanti 30/04/2024 120,00"},
               {"Importo da pagare EUR", "242,00"}},
        TShown{"payments",
               3,
               {"Importo da pagare EUR 122,00", "Importo di queste condizioni: EUR 50,00", "Totale delle rate: EUR 72,00"}},
        TShown{"payments",
               4,
               {"Importo da pagare vedi Pagamento", "Importo di queste condizioni: EUR 50,00"},
               {"Importo da pagare EUR", "192,00"}},
        TShown{"payments", 5, {"Totale documento EUR 122,00"}, {"Importo da pagare", "Pagamento"}},
        TShown{"payments", 6, {"Totale documento EUR 122,00", "MP05 Bonifico"}, {"Importo da pagare"}},
        // Amount columns to the cent, rounded half away from zero on the digits themselves (binary
        // arithmetic would give 2,67); unit prices and quantities as the file gives them.
        TShown{"figures",
               0,
               {"3,00 11,11111102 33,33 22,00%", "1,00 2,675 2,68 22,00%", "1,00 -0,005 -0,01 22,00%",
                "1,00 999,995 1.000,00 22,00%"},
               {"33,33333306", "2,67 "}},
        // A discount as an amount carries the currency, and the document's one stands with the
        // totals; unknown codes are said to be unknown; no stray comma before a nameless carrier;
        // a term's start date is not the due date.
        TShown{"figures",
               0,
               {"1,00 50,00 Sconto EUR 5,00 45,00 22,00%", "Totale imposta EUR 237,82 Sconto sul documento 2,00% = EUR 26,38 Totale documento EUR 1.292,44",
                "MP99 (codice non previsto)", "Z (codice non previsto)", "Vettore P. IVA IT24681012141",
                "Termini decorrenti dal 15/03/2024"},
               {", P. IVA", "(codice non previsto) 15/03/2024", "Altri dati del documento"}}),
    [](const testing::TestParamInfo<TShown>& param) {
      return std::string(param.param.File) + "_body" + std::to_string(param.param.Body + 1) + "_" +
             std::to_string(param.index);
    });

TEST(Stylesheet, MarkupInInvoiceTextIsNeverWrittenAsMarkup) {
  std::string html = TransformInvoice(ReadText(kFixtures + "markup_in_description.xml"));
  EXPECT_EQ(html.find("<b>x</b>"), std::string::npos);
  EXPECT_NE(html.find("&lt;b&gt;x&lt;/b&gt;"), std::string::npos);
}

TEST(Stylesheet, AttachmentsListedInTheirOwnBody) {
  std::vector<std::string> bodies = RenderedBodies(TransformInvoice(ReadText(kFixtures + "batch_two_bodies.xml")));
  ASSERT_EQ(bodies.size(), 2u);
  EXPECT_EQ(CountOf(bodies[0], "<tr class=\"attachment\">"), 2u);
  EXPECT_EQ(CountOf(bodies[1], "<tr class=\"attachment\">"), 0u);
}

// Each body after the first starts a new printed page.
TEST(Stylesheet, PageBreakBeforeEveryLaterBody) {
  std::string html = TransformInvoice(ReadText(TestDataPath(kSamples + "IT01234567890_FPA03.xml")));
  std::vector<std::string> bodies = RenderedBodies(html);
  ASSERT_EQ(bodies.size(), 2u);
  EXPECT_EQ(bodies[0].rfind("<div class=\"invoice\">", 0), 0u);
  EXPECT_EQ(bodies[1].rfind("<div class=\"invoice break\">", 0), 0u);
  EXPECT_NE(html.find("@media print"), std::string::npos);
  EXPECT_NE(html.find(".break { page-break-before: always; }"), std::string::npos);
}

TEST(Stylesheet, FileWithoutInvoiceBodySaysSo) {
  std::string text = VisibleText(TransformInvoice("<?xml version=\"1.0\"?>\n<p:Altro xmlns:p=\"urn:x\"><a>1</a></p:Altro>\n"));
  EXPECT_NE(text.find("Documento non riconosciuto"), std::string::npos);
}

}  // namespace
