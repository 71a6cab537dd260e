// Test stand-in for the server-log converter: copies every line holding "kept:" to the output.
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  std::FILE* in = std::fopen(argv[1], "rb");
  std::FILE* out = std::fopen(argv[2], "wb");
  if (!in || !out) return 1;
  char line[1024];
  while (std::fgets(line, sizeof line, in)) {
    const char* kept = std::strstr(line, "kept:");
    if (kept) std::fputs(kept + 5, out);
  }
  std::printf("converted %s\n", argv[1]);
  std::fclose(in);
  std::fclose(out);
  return 0;
}
