/* shell_map_probe PROGRAM: starts PROGRAM and prints the milliseconds from
 * its exec to the moment its first window is mapped on the screen (as the X
 * server reports it), then ends it with SIGTERM. */
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <xcb/xcb.h>

static double now_ms(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  xcb_connection_t* c = xcb_connect(NULL, NULL);
  if (xcb_connection_has_error(c)) return 2;
  xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
  const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_change_window_attributes(c, screen->root, XCB_CW_EVENT_MASK, &mask);
  xcb_flush(c);

  const double start = now_ms();
  const pid_t pid = fork();
  if (pid == 0) {
    execv(argv[1], argv + 1);
    _exit(127);
  }
  xcb_generic_event_t* event;
  double shown = -1;
  while (shown < 0 && (event = xcb_wait_for_event(c)) != NULL) {
    if ((event->response_type & 0x7F) == XCB_MAP_NOTIFY) {
      const xcb_map_notify_event_t* map = (const xcb_map_notify_event_t*)event;
      if (!map->override_redirect) shown = now_ms() - start;
    }
    free(event);
  }
  kill(pid, SIGTERM);
  int status = 0;
  waitpid(pid, &status, 0);
  printf("%.1f\n", shown);
  return 0;
}
