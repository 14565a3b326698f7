#include "uhid_mouse.h"
#include "report_descriptors.h"
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/uhid.h>
#include <unistd.h>

namespace {
QString hex(const void* data, int length)
{
    return QString::fromLatin1(
        QByteArray(static_cast<const char*>(data), length).toHex(' ').toUpper());
}

QString reportType(int rtype)
{
    switch (rtype) {
    case UHID_FEATURE_REPORT: return QStringLiteral("feature");
    case UHID_OUTPUT_REPORT: return QStringLiteral("output");
    default: return QStringLiteral("input");
    }
}

bool writeEvent(int fd, const uhid_event& ev)
{
    const ssize_t n = ::write(fd, &ev, sizeof ev);
    return n == ssize_t(sizeof ev);
}
} // namespace

UhidMouse::UhidMouse(Layout layout, VirtualFirmware::Family family) : m_firmware(family)
{
    auto add = [this](const char* label, const QByteArray& descriptor, int inputLength,
                      int blockOffset, int eventOffset) {
        Node node;
        node.label = QLatin1String(label);
        node.descriptor = descriptor;
        node.inputLength = inputLength;
        node.blockOffset = blockOffset;
        node.eventOffset = eventOffset;
        m_nodes.push_back(node);
    };
    if (layout == Layout::Split) {
        add("cmd", ReportDescriptors::commandCollection(), 32, 0, -1);
        add("event", ReportDescriptors::eventCollection(), 4, -1, 0);
    } else {
        add("mouse", ReportDescriptors::bothCollections(), 36, 0, 32);
    }
}

UhidMouse::~UhidMouse()
{
    destroy();
}

bool UhidMouse::create(QString* error)
{
    int index = 0;
    for (Node& node : m_nodes) {
        node.fd = ::open("/dev/uhid", O_RDWR | O_CLOEXEC | O_NONBLOCK);
        if (node.fd < 0) {
            *error = QStringLiteral("/dev/uhid: ") + QString::fromLocal8Bit(std::strerror(errno));
            destroy();
            return false;
        }
        uhid_event ev;
        std::memset(&ev, 0, sizeof ev);
        ev.type = UHID_CREATE2;
        std::strcpy(reinterpret_cast<char*>(ev.u.create2.name), "HALCYON GAMING MOUSE");
        std::snprintf(reinterpret_cast<char*>(ev.u.create2.phys), sizeof ev.u.create2.phys,
                      "uhid-halcyon/input%d", index++);
        ev.u.create2.rd_size = quint16(node.descriptor.size());
        std::memcpy(ev.u.create2.rd_data, node.descriptor.constData(), size_t(node.descriptor.size()));
        ev.u.create2.bus = 0x03;  // BUS_USB: hidapi lists only USB and Bluetooth devices
        ev.u.create2.vendor = VendorId;
        ev.u.create2.product = ProductId;
        ev.u.create2.version = 0x0100;
        if (!writeEvent(node.fd, ev)) {
            *error = QStringLiteral("UHID_CREATE2: ") + QString::fromLocal8Bit(std::strerror(errno));
            destroy();
            return false;
        }
    }
    return true;
}

void UhidMouse::destroy()
{
    for (Node& node : m_nodes) {
        if (node.fd < 0)
            continue;
        uhid_event ev;
        std::memset(&ev, 0, sizeof ev);
        ev.type = UHID_DESTROY;
        writeEvent(node.fd, ev);
        ::close(node.fd);
        node.fd = -1;
        node.opened = false;
        node.pending.clear();
    }
}

std::vector<int> UhidMouse::fds() const
{
    std::vector<int> out;
    for (const Node& node : m_nodes)
        if (node.fd >= 0)
            out.push_back(node.fd);
    return out;
}

void UhidMouse::handlePending()
{
    for (Node& node : m_nodes) {
        while (node.fd >= 0) {
            uhid_event ev;
            std::memset(&ev, 0, sizeof ev);
            const ssize_t n = ::read(node.fd, &ev, sizeof ev);
            if (n <= 0)
                break;  // EAGAIN: nothing more queued
            handleEvent(node, ev);
        }
    }
    deliverDue();
}

void UhidMouse::handleEvent(Node& node, const uhid_event& ev)
{
    switch (ev.type) {
    case UHID_OPEN:
        // The host starts polling: whatever is waiting goes out at once.
        node.opened = true;
        node.polled = false;
        break;
    case UHID_CLOSE:
        node.opened = false;
        break;
    case UHID_OUTPUT: {
        const int size = ev.u.output.size;
        m_log << node.label + QStringLiteral(" output ") + hex(ev.u.output.data, size);
        // Byte 0 is the report id 0, which does not travel to the mouse.
        if (ev.u.output.rtype == UHID_OUTPUT_REPORT && size > 1)
            m_firmware.output(ev.u.output.data + 1, size - 1);
        break;
    }
    case UHID_GET_REPORT:
        answerGetReport(node, ev);
        break;
    case UHID_SET_REPORT:
        answerSetReport(node, ev);
        break;
    default:
        break;  // START, STOP
    }
}

void UhidMouse::answerGetReport(Node& node, const uhid_event& ev)
{
    const auto& req = ev.u.get_report;
    m_log << node.label + QStringLiteral(" get-report ") + reportType(req.rtype) + QLatin1Char(' ')
                 + QString::number(req.rnum);
    uhid_event reply;
    std::memset(&reply, 0, sizeof reply);
    reply.type = UHID_GET_REPORT_REPLY;
    reply.u.get_report_reply.id = req.id;
    if (req.rtype == UHID_FEATURE_REPORT && req.rnum == 0) {
        // The firmware's 8 answer bytes with the report id 0 in front, as the
        // USB driver returns them; uhid passes this to the caller unchanged.
        const QByteArray answer = m_firmware.featureIn();
        reply.u.get_report_reply.size = quint16(answer.size());
        std::memcpy(reply.u.get_report_reply.data, answer.constData(), size_t(answer.size()));
    } else {
        reply.u.get_report_reply.err = EIO;  // the mouse stalls other requests
    }
    writeEvent(node.fd, reply);
    takeBlockReports();
}

void UhidMouse::answerSetReport(Node& node, const uhid_event& ev)
{
    const auto& req = ev.u.set_report;
    m_log << node.label + QStringLiteral(" set-report ") + reportType(req.rtype) + QLatin1Char(' ')
                 + QString::number(req.rnum) + QLatin1Char(' ') + hex(req.data, req.size);
    uhid_event reply;
    std::memset(&reply, 0, sizeof reply);
    reply.type = UHID_SET_REPORT_REPLY;
    reply.u.set_report_reply.id = req.id;
    if (req.rtype == UHID_FEATURE_REPORT && req.rnum == 0 && req.size == 9) {
        // The mouse receives the 8 bytes after the report id; the firmware
        // model takes a command report with its id 0 in front.
        unsigned char report[9] = {0x00};
        std::memcpy(report + 1, req.data + 1, 8);
        m_firmware.featureOut(report);
    } else {
        reply.u.set_report_reply.err = EIO;
    }
    // Always answered: an unanswered request blocks the host for seconds.
    writeEvent(node.fd, reply);
}

void UhidMouse::takeBlockReports()
{
    if (!m_firmware.hasInputReport())
        return;
    Node& target = commandNode();
    while (m_firmware.hasInputReport())
        target.pending << place(target, target.blockOffset, m_firmware.takeInputReport());
    // The block follows the answer report at the host's next poll.
    target.polled = true;
    target.sincePoll.restart();
}

QByteArray UhidMouse::place(const Node& node, int offset, const QByteArray& data)
{
    QByteArray report(qMax(node.inputLength, offset + int(data.size())), '\0');
    report.replace(offset, data.size(), data);
    return report;
}

void UhidMouse::sendEvent(const QByteArray& report)
{
    Node& node = eventNode();
    node.pending << place(node, node.eventOffset, report);
    deliverDue();
}

void UhidMouse::sendRawInput(const QByteArray& report)
{
    eventNode().pending << report;
    deliverDue();
}

int UhidMouse::msUntilDelivery() const
{
    int wait = -1;
    for (const Node& node : m_nodes) {
        if (node.fd < 0 || !node.opened || node.pending.isEmpty())
            continue;
        const int due = node.polled
            ? int(qMax<qint64>(0, PollIntervalMs - node.sincePoll.elapsed())) : 0;
        wait = wait < 0 ? due : qMin(wait, due);
    }
    return wait;
}

void UhidMouse::deliverDue()
{
    for (Node& node : m_nodes) {
        if (node.fd < 0 || !node.opened || node.pending.isEmpty())
            continue;
        if (node.polled && node.sincePoll.elapsed() < PollIntervalMs)
            continue;
        send(node, node.pending.takeFirst());
    }
}

void UhidMouse::send(Node& node, const QByteArray& report)
{
    uhid_event ev;
    std::memset(&ev, 0, sizeof ev);
    ev.type = UHID_INPUT2;
    ev.u.input2.size = quint16(report.size());
    std::memcpy(ev.u.input2.data, report.constData(), size_t(report.size()));
    writeEvent(node.fd, ev);
    m_log << node.label + QStringLiteral(" input ") + hex(report.constData(), int(report.size()));
    node.polled = true;
    node.sincePoll.restart();
}

QStringList UhidMouse::takeLog()
{
    QStringList out;
    out.swap(m_log);
    return out;
}
