#pragma once

class MessageService;
class PacketSender;
class TimerFactory;

// What every device window works through.
struct DeviceServices
{
    PacketSender &sender;
    MessageService &messages;
    TimerFactory &timers;
};
