/* A small X client that times a program from outside, as a user sees it.
 *
 *   x_watch launch [--quiet-ms N] [--timeout S] -- PROGRAM [ARGS...]
 *       Starts PROGRAM and reports, in milliseconds after the fork, when its
 *       first top-level window was mapped, when the program first drew into
 *       it and when its drawing settled (no drawing for --quiet-ms). Prints
 *       one line "pid=.. window=.. map_ms=.. paint_ms=.. settled_ms=..", lets
 *       go of the display and stays as the program's parent until it ends,
 *       then exits with its exit code. The program's output goes to stderr.
 *
 *   x_watch click --window WID --at X Y [--count N] [--timeout S]
 *       Clicks at (X, Y) inside window WID by XTest, N times; after each
 *       click waits for a new top-level window to be mapped and painted,
 *       prints "click=i map_ms=.. paint_ms=.." (or "click=i n/a" when none
 *       appears within --timeout), then closes that window with
 *       WM_DELETE_WINDOW, as a window manager would, and waits for it to go.
 *
 *   x_watch focus WID|none
 *       Gives the keyboard focus to WID, or to no window at all.
 *
 * Drawing is seen through the DAMAGE extension: every request that changes a
 * window's pixels, whoever makes it, reports the window damaged. With no
 * window manager running, top-level windows are the root window's children.
 */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static Display* dpy;
static int damage_event_base;

static double now_ms(void) {
  struct timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

/* Windows come and go while we look at them: a request on one that has just
 * gone, or on an input-only window, is not an error worth stopping for. */
static int ignore_errors(Display* d, XErrorEvent* e) {
  (void)d;
  (void)e;
  return 0;
}

static void die(const char* what) {
  fprintf(stderr, "x_watch: %s\n", what);
  exit(2);
}

/* Waits up to deadline (in now_ms() terms) for the next event. */
static int next_event(XEvent* ev, double deadline) {
  for (;;) {
    if (XPending(dpy)) {
      XNextEvent(dpy, ev);
      return 1;
    }
    double left = deadline - now_ms();
    if (left <= 0) return 0;
    struct pollfd pfd = {ConnectionNumber(dpy), POLLIN, 0};
    poll(&pfd, 1, (int)(left + 1));
  }
}

/* A small table of the damage objects we made, one per watched window. */
#define MAX_WATCHED 256
static struct {
  Window window;
  Damage damage;
} watched[MAX_WATCHED];
static int watched_count;

static void watch_window(Window w) {
  for (int i = 0; i < watched_count; i++)
    if (watched[i].window == w) return;
  if (watched_count == MAX_WATCHED) return;
  watched[watched_count].window = w;
  watched[watched_count].damage = XDamageCreate(dpy, w, XDamageReportNonEmpty);
  watched_count++;
}

static void open_display(void) {
  dpy = XOpenDisplay(NULL);
  if (!dpy) die("cannot open the display");
  int error_base;
  if (!XDamageQueryExtension(dpy, &damage_event_base, &error_base)) die("no DAMAGE extension");
  int major = 1, minor = 1;
  XDamageQueryVersion(dpy, &major, &minor);
  XSetErrorHandler(ignore_errors);
  fcntl(ConnectionNumber(dpy), F_SETFD, FD_CLOEXEC);
  XSelectInput(dpy, DefaultRootWindow(dpy), SubstructureNotifyMask);
  XSync(dpy, False);
}

/* Is this event the program drawing into window w? Re-arms the report. */
static int is_damage_to(const XEvent* ev, Window w) {
  if (ev->type != damage_event_base + XDamageNotify) return 0;
  const XDamageNotifyEvent* d = (const XDamageNotifyEvent*)ev;
  XDamageSubtract(dpy, d->damage, None, None);
  return d->drawable == w;
}

static int launch(int argc, char** argv) {
  double quiet_ms = 200, timeout_s = 30;
  int i = 0;
  for (; i < argc && strcmp(argv[i], "--") != 0; i++) {
    if (!strcmp(argv[i], "--quiet-ms") && i + 1 < argc) quiet_ms = atof(argv[++i]);
    else if (!strcmp(argv[i], "--timeout") && i + 1 < argc) timeout_s = atof(argv[++i]);
    else die("launch: unknown option");
  }
  if (i + 1 >= argc) die("launch: no program given");
  char** program = argv + i + 1;

  open_display();
  double start = now_ms();
  pid_t pid = fork();
  if (pid < 0) die("fork failed");
  if (pid == 0) {
    dup2(2, 1);
    execvp(program[0], program);
    _exit(127);
  }

  Window window = 0;
  double map = -1, paint = -1, last_paint = -1;
  double deadline = start + timeout_s * 1e3;
  XEvent ev;
  for (;;) {
    double until = deadline;
    if (paint >= 0 && last_paint + quiet_ms < until) until = last_paint + quiet_ms;
    if (!next_event(&ev, until)) break;
    double t = now_ms() - start;
    if (ev.type == CreateNotify && ev.xcreatewindow.parent == DefaultRootWindow(dpy)) {
      watch_window(ev.xcreatewindow.window);
    } else if (ev.type == MapNotify && !window && !ev.xmap.override_redirect) {
      window = ev.xmap.window;
      map = t;
      watch_window(window);
    } else if (window && is_damage_to(&ev, window)) {
      if (paint < 0) paint = t;
      last_paint = t;
    }
  }
  printf("pid=%d window=0x%lx map_ms=%.3f paint_ms=%.3f settled_ms=%.3f\n", (int)pid,
         (unsigned long)window, map, paint, last_paint);
  fflush(stdout);
  XCloseDisplay(dpy);
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
  }
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  return 128 + WTERMSIG(status);
}

static void send_delete(Window w) {
  XEvent ev;
  memset(&ev, 0, sizeof ev);
  ev.xclient.type = ClientMessage;
  ev.xclient.window = w;
  ev.xclient.message_type = XInternAtom(dpy, "WM_PROTOCOLS", False);
  ev.xclient.format = 32;
  ev.xclient.data.l[0] = (long)XInternAtom(dpy, "WM_DELETE_WINDOW", False);
  ev.xclient.data.l[1] = CurrentTime;
  XSendEvent(dpy, w, False, NoEventMask, &ev);
  XFlush(dpy);
}

static void pause_ms(double ms) {
  struct timespec ts = {(time_t)(ms / 1e3), (long)((ms - (time_t)(ms / 1e3) * 1e3) * 1e6)};
  nanosleep(&ts, NULL);
}

static int click(int argc, char** argv) {
  Window target = 0;
  int x = -1, y = -1, count = 1;
  double timeout_s = 3;
  for (int i = 0; i < argc; i++) {
    if (!strcmp(argv[i], "--window") && i + 1 < argc) target = strtoul(argv[++i], NULL, 0);
    else if (!strcmp(argv[i], "--at") && i + 2 < argc) {
      x = atoi(argv[++i]);
      y = atoi(argv[++i]);
    } else if (!strcmp(argv[i], "--count") && i + 1 < argc) count = atoi(argv[++i]);
    else if (!strcmp(argv[i], "--timeout") && i + 1 < argc) timeout_s = atof(argv[++i]);
    else die("click: unknown option");
  }
  if (!target || x < 0 || y < 0) die("click: --window and --at are required");

  open_display();
  Window child;
  int root_x, root_y;
  if (!XTranslateCoordinates(dpy, target, DefaultRootWindow(dpy), x, y, &root_x, &root_y, &child))
    die("click: window not found");
  XTestFakeMotionEvent(dpy, DefaultScreen(dpy), root_x, root_y, CurrentTime);
  XSync(dpy, False);
  pause_ms(300); /* let the hover highlight come and go before timing */

  for (int n = 1; n <= count; n++) {
    XTestFakeButtonEvent(dpy, 1, True, CurrentTime);
    XSync(dpy, False);
    pause_ms(30);
    double start = now_ms();
    /* A push button acts on release. */
    XTestFakeButtonEvent(dpy, 1, False, CurrentTime);
    XFlush(dpy);

    Window dialog = 0;
    double map = -1, paint = -1;
    double deadline = start + timeout_s * 1e3;
    XEvent ev;
    while (paint < 0 && next_event(&ev, deadline)) {
      double t = now_ms() - start;
      if (ev.type == CreateNotify && ev.xcreatewindow.parent == DefaultRootWindow(dpy)) {
        watch_window(ev.xcreatewindow.window);
      } else if (ev.type == MapNotify && !dialog && ev.xmap.window != target &&
                 !ev.xmap.override_redirect) {
        dialog = ev.xmap.window;
        map = t;
        watch_window(dialog);
      } else if (dialog && is_damage_to(&ev, dialog)) {
        paint = t;
      }
    }
    if (!dialog) {
      printf("click=%d n/a\n", n);
      fflush(stdout);
      return 1;
    }
    printf("click=%d map_ms=%.3f paint_ms=%.3f\n", n, map, paint);
    fflush(stdout);

    pause_ms(200);
    send_delete(dialog);
    deadline = now_ms() + timeout_s * 1e3;
    int gone = 0;
    while (!gone && next_event(&ev, deadline))
      gone = (ev.type == UnmapNotify && ev.xunmap.window == dialog) ||
             (ev.type == DestroyNotify && ev.xdestroywindow.window == dialog);
    if (!gone) die("click: the dialog did not close");
    pause_ms(300);
  }
  return 0;
}

static int focus(int argc, char** argv) {
  if (argc != 1) die("focus: give a window id or none");
  open_display();
  Window w = strcmp(argv[0], "none") ? strtoul(argv[0], NULL, 0) : None;
  XSetInputFocus(dpy, w, RevertToNone, CurrentTime);
  XSync(dpy, False);
  return 0;
}

int main(int argc, char** argv) {
  if (argc >= 2 && !strcmp(argv[1], "launch")) return launch(argc - 2, argv + 2);
  if (argc >= 2 && !strcmp(argv[1], "click")) return click(argc - 2, argv + 2);
  if (argc >= 2 && !strcmp(argv[1], "focus")) return focus(argc - 2, argv + 2);
  fprintf(stderr, "usage: x_watch launch|click|focus ...\n");
  return 2;
}
