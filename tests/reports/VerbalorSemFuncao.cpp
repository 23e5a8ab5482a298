// A library named like Verbalor that lacks its function.
extern "C" __attribute__((visibility("default"))) int OutraFuncao() {
  return 0;
}
