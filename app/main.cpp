// Entry point: creates the program-wide objects in their fixed order.
int main()
{
    return 0;
}
