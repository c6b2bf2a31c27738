#include "documento.h"

#include "archive/paths.h"
#include "common/cardbehaviour.h"

namespace {

constexpr FieldKind S = FieldKind::Str;

constexpr FieldDef kFields[] = {
    {"Documento", S, 120}, {"Protocollo", S, 30}, {"Produttore", S, 50}, {"IndirizzoPro", S, 120},
    {"DataPro", S, 10}, {"Destinatario", S, 50}, {"IndirizzoDes", S, 120}, {"DataDes", S, 10},
    {"Oggetto", S, 250}, {"Tipo", S, 50}, {"Classificazione", S, 50}, {"Fascicolo", S, 120},
    {"Formato", S, 50}, {"Pagine", S, 30}, {"Allegati", S, 250}, {"Riferimenti", S, 250},
    {"Livello", S, 50}, {"Software", S, 50}, {"Luogo", S, 50}, {"Soggetti", S, 250},
    {"Note", S, 250}, {"Copia", S, 250},
    {"DaCompletare", FieldKind::Flag, 2},
    {"File01", S, 250}, {"File02", S, 250}, {"File03", S, 250},
    {"Desc01", S, 250}, {"Desc02", S, 250}, {"Desc03", S, 250},
};

} // namespace

const RecordLayout& TRecDocumento() {
  static const RecordLayout layout("TRecDocumento", kFields);
  return layout;
}

const ArchiveDef& documentArchive() {
  static const ArchiveDef a{&TRecDocumento(), QStringLiteral("Archivio_Documenti.pro"), {}};
  return a;
}

const CardRules& documentRules() {
  using validation::required;
  static const CardRules r{{
      required("Documento", cardtext::missing("il nome del documento.")),
      required("Produttore", cardtext::missing("il nome del produttore del documento.")),
      required("DataPro", cardtext::missing("la data di produzione del documento.")),
      validation::existingDate("DataPro"),
      validation::existingDate("DataDes"),
  }};
  return r;
}

const FormPrintDescription& documentPrint() {
  static const FormPrintDescription d = [] {
    // label, then the field whose card edit names the value box
    const std::pair<const char*, const char*> rows[] = {
        {"Documento:", "Documento"},
        {"Protocollo n.", "Protocollo"},
        {"Produttore:", "Produttore"},
        {"Indirizzo produttore:", "IndirizzoPro"},
        {"Data produzione:", "DataPro"},
        {"Destinatario:", "Destinatario"},
        {"Indirizzo destinatario:", "IndirizzoDes"},
        {"Data ricezione:", "DataDes"},
        {"Oggetto:", "Oggetto"},
        {"Tipo documento:", "Tipo"},
        {"Classificazione:", "Classificazione"},
        {"Fascicolo contenitore:", "Fascicolo"},
        {"Formato:", "Formato"},
        {"N. pagine:", "Pagine"},
        {"Allegati:", "Allegati"},
        {"Riferimenti:", "Riferimenti"},
        {"Livello di riservatezza:", "Livello"},
        {"Software di produzione:", "Software"},
        {"Luogo conservazione:", "Luogo"},
        {"Soggetti citati:", "Soggetti"},
        {"Note:", "Note"},
    };
    FormPrintDescription f{QStringLiteral("TfrmStampaAltri"), QStringLiteral(" Stampa scheda"),
                           QStringLiteral("Scheda Documento"), QStringLiteral("SCHEDA RIASSUNTIVA DEL DOCUMENTO"), {}};
    for (const auto& [label, field] : rows)
      f.rows.push_back({QString::fromUtf8(label), QStringLiteral("txt") + QLatin1String(field),
                        QLatin1Char('{') + QLatin1String(field) + QLatin1Char('}')});
    return f;
  }();
  return d;
}
