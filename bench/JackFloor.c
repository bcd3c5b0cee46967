/* The least a program can do to ask the keyboard one question over JACK: open
 * a client, connect to the keyboard's ports, send one request, wait for the
 * reply, close. The floor that hbx740ctl's identity and read are measured
 * against.
 *
 *   hbx_bench_jack_floor identity|read [list]   (JACK_DEFAULT_SERVER names the server)
 *
 * With "list" it also lists the server's MIDI ports once, as a program that
 * looks for the keyboard among them must: jack2's first listing walks its
 * whole port table.
 */
#include <jack/jack.h>
#include <jack/midiport.h>

#include <errno.h>
#include <semaphore.h>
#include <stdatomic.h>
#include <stdio.h>
#include <string.h>
#include <time.h>

static jack_port_t* In;
static jack_port_t* Out;
static const unsigned char* Request;
static size_t RequestSize;
static unsigned char Expected;
static atomic_int Sent;
static sem_t Answered;

static int Process(jack_nframes_t frames, void* arg) {
    (void)arg;
    void* output = jack_port_get_buffer(Out, frames);
    jack_midi_clear_buffer(output);
    if (!atomic_exchange(&Sent, 1))
        jack_midi_event_write(output, 0, Request, RequestSize);
    void* input = jack_port_get_buffer(In, frames);
    const jack_nframes_t count = jack_midi_get_event_count(input);
    for (jack_nframes_t i = 0; i < count; ++i) {
        jack_midi_event_t event;
        if (jack_midi_event_get(&event, input, i) == 0 && event.size > 4 &&
            event.buffer[0] == 0xF0 && event.buffer[3] == Expected)
            sem_post(&Answered);
    }
    return 0;
}

int main(int argc, char* argv[]) {
    static const unsigned char identity[] = {0xF0, 0x7E, 0x00, 0x06, 0x01, 0xF7};
    static const unsigned char dump[] = {0xF0, 0x33, 0x00, 0x00, 0x08, 0xF7};
    const int read = argc > 1 && strcmp(argv[1], "read") == 0;
    Request = read ? dump : identity;
    RequestSize = 6;
    Expected = read ? 0x2B : 0x06;
    atomic_store(&Sent, 1);
    sem_init(&Answered, 0, 0);

    jack_client_t* client = jack_client_open("floor", JackNoStartServer, NULL);
    if (!client)
        return 3;
    if (argc > 2 && strcmp(argv[2], "list") == 0)
        jack_free(jack_get_ports(client, NULL, JACK_DEFAULT_MIDI_TYPE, 0));
    In = jack_port_register(client, "in", JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
    Out = jack_port_register(client, "out", JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
    jack_set_process_callback(client, Process, NULL);
    if (jack_activate(client) != 0 || jack_connect(client, "HBX740:out", jack_port_name(In)) != 0 ||
        jack_connect(client, jack_port_name(Out), "HBX740:in") != 0)
        return 4;
    atomic_store(&Sent, 0);

    struct timespec deadline;
    clock_gettime(CLOCK_REALTIME, &deadline);
    deadline.tv_sec += 2;
    int status = 0;
    while (sem_timedwait(&Answered, &deadline) != 0) {
        if (errno != EINTR) {
            status = 5;
            break;
        }
    }
    jack_deactivate(client);
    jack_client_close(client);
    return status;
}
