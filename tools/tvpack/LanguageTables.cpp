#include "LanguageTables.h"

#include "HostFiles.h"
#include "SetupDescription.h"
#include "utils/Text.h"

namespace {

constexpr char kBlockSeparator = '\x02';
constexpr char kEntrySeparator = '\x01';

using Texts = std::vector<std::pair<std::string, std::string>>;

const Texts kEnglish = {
    {"Charset", "0"},
    {"FontSize", "8"},
    {"FontName", "Tahoma"},
    {"s0", "Tarvel Installation Suite"},
    {"s1", "Extracting Files..."},
    {"s2", "Tarvel will extract files to your Temp Drive (<DRIVE>)<P>"},
    {"s3", "Limited Free Space on your Temp Drive! (<DRIVE>)<P>"},
    {"s4", "<P>Estimated space required on your Temp drive is: <T>  <SPACE_REQ> MB<P>"},
    {"s5", "Free space available on your Temp drive is: <T>  <SPACE_AVAIL> MB<P>"},
    {"s6", "<P>Continue with Setup?<P>"},
    {"s7", "Bad CRC!<P>This indicates that your setup file might be corrupted..."},
    {"s8", "Please insert <B>DISK #<DISK_NUM></B> and press OK to continue"},
    {"s10", "Downloading File..."},
    {"s11", "<b>INTERNET DOWNLOAD</b><p><p>Tarvel will download the Setup File from the Internet...<p>Please make "
            "sure your Internet connection is properly set.<p><p>Continue with Setup?<P><P>Size: <SIZE> MB<P>"},
    {"s12", "No valid Internet Connection.<p>Can not Download File!"},
    {"BtnText", "|&OK|&Cancel|&Yes|&No|&Abort|&Retry|&Ignore|"},
    {"Attention", "Attention"},
    {"Confirm", "Confirm"},
    {"Error", "Error"},
};

// Written in UTF-8 here, converted to Windows-1252 when the table is made.
const Texts kPortugueseBrazil = {
    {"Charset", "0"},
    {"FontSize", "8"},
    {"FontName", "Tahoma"},
    {"s0", "Tarvel Installation Suite"},
    {"s1", "Extraindo arquivos..."},
    {"s2", "O Tarvel vai extrair os arquivos para a sua unidade temporária (<DRIVE>)<P>"},
    {"s3", "Pouco espaço livre na sua unidade temporária! (<DRIVE>)<P>"},
    {"s4", "<P>Espaço estimado necessário na unidade temporária: <T>  <SPACE_REQ> MB<P>"},
    {"s5", "Espaço livre disponível na unidade temporária: <T>  <SPACE_AVAIL> MB<P>"},
    {"s6", "<P>Continuar com a instalação?<P>"},
    {"s7", "CRC inválido!<P>Isso indica que o seu arquivo de instalação pode estar corrompido..."},
    {"s8", "Insira o <B>DISCO #<DISK_NUM></B> e clique em OK para continuar"},
    {"s10", "Baixando arquivo..."},
    {"s11", "<b>DOWNLOAD PELA INTERNET</b><p><p>O Tarvel vai baixar o arquivo de instalação da Internet...<p>"
            "Verifique se a sua conexão com a Internet está configurada corretamente.<p><p>Continuar com a "
            "instalação?<P><P>Tamanho: <SIZE> MB<P>"},
    {"s12", "Nenhuma conexão válida com a Internet.<p>Não é possível baixar o arquivo!"},
    {"BtnText", "|&OK|&Cancelar|&Sim|&Não|&Anular|&Repetir|&Ignorar|"},
    {"Attention", "Atenção"},
    {"Confirm", "Confirmação"},
    {"Error", "Erro"},
};

const Texts kSpanish = {
    {"Charset", "0"},
    {"FontSize", "8"},
    {"FontName", "Tahoma"},
    {"s0", "Tarvel Installation Suite"},
    {"s1", "Extrayendo archivos..."},
    {"s2", "Tarvel extraerá los archivos en su unidad temporal (<DRIVE>)<P>"},
    {"s3", "¡Poco espacio libre en su unidad temporal! (<DRIVE>)<P>"},
    {"s4", "<P>Espacio estimado necesario en su unidad temporal: <T>  <SPACE_REQ> MB<P>"},
    {"s5", "Espacio libre disponible en su unidad temporal: <T>  <SPACE_AVAIL> MB<P>"},
    {"s6", "<P>¿Desea continuar con la instalación?<P>"},
    {"s7", "¡CRC incorrecto!<P>Esto indica que su archivo de instalación podría estar dañado..."},
    {"s8", "Inserte el <B>DISCO #<DISK_NUM></B> y pulse Aceptar para continuar"},
    {"s10", "Descargando archivo..."},
    {"s11", "<b>DESCARGA DESDE INTERNET</b><p><p>Tarvel descargará el archivo de instalación desde Internet...<p>"
            "Asegúrese de que su conexión a Internet esté configurada correctamente.<p><p>¿Desea continuar con la "
            "instalación?<P><P>Tamaño: <SIZE> MB<P>"},
    {"s12", "No hay una conexión válida a Internet.<p>¡No se puede descargar el archivo!"},
    {"BtnText", "|&Aceptar|&Cancelar|&Sí|&No|&Anular|&Reintentar|&Omitir|"},
    {"Attention", "Atención"},
    {"Confirm", "Confirmación"},
    {"Error", "Error"},
};

LanguageTable TableFromUtf8(const std::string& name, const Texts& texts) {
    LanguageTable table;
    table.Name = name;
    for (const auto& [key, text] : texts) {
        std::string ansi;
        AnsiFromUtf8(text, ansi);  // the built-in texts are all inside Windows-1252
        table.Texts.emplace_back(key, ansi);
    }
    return table;
}

bool HasSeparatorByte(const std::string& s) {
    return s.find_first_of(std::string("\0\x01\x02", 3)) != std::string::npos;
}

}  // namespace

std::vector<LanguageTable> BuiltInLanguageTables() {
    return {TableFromUtf8("English", kEnglish), TableFromUtf8("Portuguese(Brazil)", kPortugueseBrazil),
            TableFromUtf8("Spanish", kSpanish)};
}

bool AnsiFromUtf8(const std::string& utf8, std::string& ansi) {
    ansi.clear();
    for (size_t i = 0; i < utf8.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            ansi += char(c);
            continue;
        }
        // Two-byte sequences C2 xx and C3 xx are U+0080..U+00FF; only U+00A0 and up match
        // Windows-1252, which puts other characters at 0x80..0x9F.
        if ((c != 0xC2 && c != 0xC3) || i + 1 >= utf8.size()) return false;
        const unsigned char next = static_cast<unsigned char>(utf8[i + 1]);
        if ((next & 0xC0) != 0x80) return false;
        const unsigned codePoint = (c & 0x1Fu) << 6 | (next & 0x3Fu);
        if (codePoint < 0xA0) return false;
        ansi += char(codePoint);
        ++i;
    }
    return true;
}

bool ParseLanguageTables(const std::string& text, std::vector<LanguageTable>& tables, std::string& error) {
    std::vector<IniLine> lines;
    if (!ParseIniLines(text, lines, error)) return false;
    for (const IniLine& line : lines) {
        if (line.IsSection) {
            tables.push_back(LanguageTable{line.Section, {}});
            continue;
        }
        tables.back().Texts.emplace_back(line.Key, line.Value);
    }
    return true;
}

bool ReadLanguageFile(const std::string& path, std::vector<LanguageTable>& tables, std::string& error) {
    std::string text;
    if (!ReadWholeFile(path, text)) return error = path + ": cannot read the language file", false;
    const std::string bom = "\xEF\xBB\xBF";
    if (text.compare(0, bom.size(), bom) == 0) {
        std::string ansi;
        if (!AnsiFromUtf8(text.substr(bom.size()), ansi))
            return error = path + ": a character that Windows-1252 cannot hold", false;
        text = ansi;
    }
    if (!ParseLanguageTables(text, tables, error)) return error = path + ": " + error, false;
    return true;
}

void MergeLanguageTables(std::vector<LanguageTable>& base, const std::vector<LanguageTable>& extra) {
    for (const LanguageTable& table : extra) {
        bool replaced = false;
        for (LanguageTable& existing : base)
            if (SameTextTrimmed(existing.Name, table.Name)) {
                existing = table;
                replaced = true;
                break;
            }
        if (!replaced) base.push_back(table);
    }
}

bool SelectLanguageTables(std::vector<LanguageTable>& tables, const std::vector<std::string>& names,
                          std::string& error) {
    std::vector<LanguageTable> chosen;
    for (const std::string& name : names) {
        bool found = false;
        for (const LanguageTable& table : tables)
            if (SameTextTrimmed(table.Name, name)) {
                chosen.push_back(table);
                found = true;
                break;
            }
        if (!found) return error = "no language table named " + name, false;
    }
    tables = chosen;
    return true;
}

bool LanguageBlockOf(const std::vector<LanguageTable>& tables, std::string& block, std::string& error) {
    if (tables.empty()) return error = "no language table", false;
    block.assign(1, kBlockSeparator);
    for (const LanguageTable& table : tables) {
        if (Trim(table.Name).empty()) return error = "a language table without a name", false;
        std::string entry(1, kEntrySeparator);
        entry += table.Name + kEntrySeparator;
        for (const auto& [key, text] : table.Texts) {
            if (key.empty() || key.find('=') != std::string::npos || HasSeparatorByte(key) || HasSeparatorByte(text))
                return error = "language " + table.Name + ", key " + key + ": a byte the language block cannot hold",
                       false;
            entry += key + "=" + text + kEntrySeparator;
        }
        if (HasSeparatorByte(table.Name))
            return error = "language " + table.Name + ": a byte the language block cannot hold", false;
        block += entry + kBlockSeparator;
    }
    return true;
}
