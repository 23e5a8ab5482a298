// bench_startup RUNS PROGRAM [ARGS...]: starts PROGRAM RUNS times, measures the wall time from
// launch until it reports its window shown, and its peak memory; prints the medians.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char* argv[]) {
  if (argc < 3) {
    std::fprintf(stderr, "uso: bench_startup RUNS PROGRAM [ARGS...]\n");
    return 2;
  }
  const int vezes = std::atoi(argv[1]);
  std::vector<double> tempos;
  std::vector<long> memorias;
  for (int i = 0; i < vezes; ++i) {
    int canal[2];
    if (pipe(canal) != 0)
      return 1;
    const auto inicio = std::chrono::steady_clock::now();
    const pid_t filho = fork();
    if (filho == 0) {
      dup2(canal[1], STDOUT_FILENO);
      close(canal[0]);
      close(canal[1]);
      execv(argv[2], argv + 2);
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
      std::fprintf(stderr, "%s did not show its window\n", argv[2]);
      return 1;
    }
    tempos.push_back(std::chrono::duration<double, std::milli>(fim - inicio).count());
    memorias.push_back(uso.ru_maxrss);
  }
  std::sort(tempos.begin(), tempos.end());
  std::sort(memorias.begin(), memorias.end());
  std::printf("%.1f %.1f\n", tempos[tempos.size() / 2], static_cast<double>(memorias[memorias.size() / 2]) / 1024.0);
  return 0;
}
