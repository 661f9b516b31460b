SELECT getdate()
