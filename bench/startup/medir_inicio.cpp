// bench_startup RUNS FLOOR [ARGS...] -- PROGRAM [ARGS...]: starts the floor program and the
// measured program in turn, RUNS times each, so that both see the same state of the machine;
// measures the wall time from launch until each reports its window shown, and the measured
// program's peak memory. Prints the floor's median time, the program's median time and the
// program's median peak memory (MB).

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

namespace {

struct Medida {
  double ms;
  long memoriaKb;
};

// One start of `argv[0]` until it writes its line, or nothing when it fails.
std::optional<Medida> medir(char* const* argv) {
  int canal[2];
  if (pipe(canal) != 0)
    return std::nullopt;
  const auto inicio = std::chrono::steady_clock::now();
  const pid_t filho = fork();
  if (filho == 0) {
    dup2(canal[1], STDOUT_FILENO);
    close(canal[0]);
    close(canal[1]);
    execv(argv[0], argv);
    _exit(127);
  }
  close(canal[1]);
  char linha[16];
  const ssize_t lidos = read(canal[0], linha, sizeof linha);
  const auto fim = std::chrono::steady_clock::now();
  close(canal[0]);
  int estado = 0;
  rusage uso{};
  wait4(filho, &estado, 0, &uso);
  if (lidos <= 0 || !WIFEXITED(estado) || WEXITSTATUS(estado) != 0) {
    std::fprintf(stderr, "%s did not show its window\n", argv[0]);
    return std::nullopt;
  }
  return Medida{std::chrono::duration<double, std::milli>(fim - inicio).count(), uso.ru_maxrss};
}

template <typename T>
T mediana(std::vector<T> valores) {
  std::sort(valores.begin(), valores.end());
  return valores[valores.size() / 2];
}

}  // namespace

int main(int argc, char* argv[]) {
  int separador = 2;
  while (separador < argc && std::strcmp(argv[separador], "--") != 0)
    ++separador;
  if (argc < 5 || separador == 2 || separador + 1 >= argc) {
    std::fprintf(stderr, "uso: bench_startup RUNS FLOOR [ARGS...] -- PROGRAM [ARGS...]\n");
    return 2;
  }
  argv[separador] = nullptr;
  const int vezes = std::max(1, std::atoi(argv[1]));
  std::vector<double> piso;
  std::vector<double> tempos;
  std::vector<long> memorias;
  for (int i = 0; i < vezes; ++i) {
    const auto a = medir(argv + 2);
    const auto b = medir(argv + separador + 1);
    if (!a || !b)
      return 1;
    piso.push_back(a->ms);
    tempos.push_back(b->ms);
    memorias.push_back(b->memoriaKb);
  }
  std::printf("%.1f %.1f %.1f\n", mediana(piso), mediana(tempos), static_cast<double>(mediana(memorias)) / 1024.0);
  return 0;
}
