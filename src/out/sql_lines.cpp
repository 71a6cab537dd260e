// SQL lines: the statements that point the web site's list of recent games at a new main page.
#include "out/sql_lines.h"

void writeSqlLines(const PageNames& names, std::string& out) {
  out += "SELECT @oldestHtml:=MIN(html) from gamestats;\n";
  out += "UPDATE gamestats SET html='";
  // The name is written as bytes, never as a format.
  out.append(names.main.view());
  out += "' WHERE html=@oldestHtml LIMIT 1;\n";
}
