#pragma once
#include "device/virtual_firmware.h"
#include <QByteArray>
#include <QElapsedTimer>
#include <QStringList>
#include <vector>

// The mouse as the kernel sees it: the firmware model behind one or two
// devices on /dev/uhid, vid 04D9, pid A09F, reports without report ids.
//
// The kernel hands uhid every request with the report-id byte in front; the
// USB HID driver drops that byte before the request reaches a real mouse and
// puts it back in front of a feature answer. This class does the same, so the
// host sees what it would see with the mouse, and it logs each request as the
// kernel delivered it, so tests can check the host's bytes on the device side.
//
// Without report ids, the kernel joins the input fields of both collections
// of the combined layout into one 36-byte input report (the command
// collection's 32 bytes, then the event collection's 4) and drops shorter
// ones; that layout therefore sends every input report at full length, with
// the collection's data in its own place.
//
// Input reports go out as a polled interrupt endpoint would send them: only
// while the host has the device open, one as soon as a new open starts
// polling, then one per polling interval while it stays open. A block answer
// starts after its answer report has been fetched.
class UhidMouse {
public:
    enum class Layout {
        Split,     // two devices, one per vendor collection (two USB interfaces)
        Combined,  // one device carrying both top-level collections
    };
    static constexpr quint16 VendorId = 0x04D9;
    static constexpr quint16 ProductId = 0xA09F;
    static constexpr int PollIntervalMs = 100;

    UhidMouse(Layout layout, VirtualFirmware::Family family);
    ~UhidMouse();
    UhidMouse(const UhidMouse&) = delete;
    UhidMouse& operator=(const UhidMouse&) = delete;

    // Creates the uhid device(s); false with a reason when /dev/uhid refuses.
    bool create(QString* error);
    // Unplugs: the kernel removes the devices and their hidraw nodes.
    void destroy();

    // The uhid descriptors to wait on for kernel events.
    std::vector<int> fds() const;
    // Reads and answers every event the kernel has queued, then sends what is due.
    void handlePending();
    // The mouse sends this input report on its event collection.
    void sendEvent(const QByteArray& report);
    // Sends these bytes as they are, whatever the descriptor says.
    void sendRawInput(const QByteArray& report);
    // Milliseconds until an input report is due, -1 when none waits.
    int msUntilDelivery() const;
    void deliverDue();

    // Requests received (as the kernel delivered them) and reports sent since
    // the last call, one line each: "<node> <kind> ...".
    QStringList takeLog();
    VirtualFirmware& firmware() { return m_firmware; }

private:
    struct Node {
        QString label;
        QByteArray descriptor;
        int inputLength = 0;        // bytes of its input report
        int blockOffset = -1;       // where the command collection's input sits, -1: not here
        int eventOffset = -1;       // where the event collection's input sits
        int fd = -1;
        bool opened = false;
        bool polled = false;        // sent something since the current poll began
        QElapsedTimer sincePoll;
        QList<QByteArray> pending;  // input reports waiting for the host
    };
    Node& eventNode() { return m_nodes.back(); }
    Node& commandNode() { return m_nodes.front(); }
    static QByteArray place(const Node& node, int offset, const QByteArray& data);
    void handleEvent(Node& node, const struct uhid_event& ev);
    void answerGetReport(Node& node, const struct uhid_event& ev);
    void answerSetReport(Node& node, const struct uhid_event& ev);
    void takeBlockReports();
    void send(Node& node, const QByteArray& report);

    VirtualFirmware m_firmware;
    std::vector<Node> m_nodes;
    QStringList m_log;
};
